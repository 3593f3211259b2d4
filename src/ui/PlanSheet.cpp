#include "ui/PlanSheet.h"

#include "texts/OutcomeTexts.h"
#include "ui/TextStyles.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString actionWord(const PlanAction& action)
{
    switch (action.op) {
    case PlanAction::Op::create:
    case PlanAction::Op::copy:
        return PlanSheet::tr("Create");
    case PlanAction::Op::replace:
        if (action.becomes)
            return *action.becomes == PlacementKind::copy ? PlanSheet::tr("Convert to Copy")
                                                          : PlanSheet::tr("Convert to Link");
        return PlanSheet::tr("Renew");
    case PlanAction::Op::trash:
        return PlanSheet::tr("Move to Trash");
    case PlanAction::Op::takeIntoHub:
        return PlanSheet::tr("Take into Hub");
    case PlanAction::Op::remove:
        break;
    }
    return PlanSheet::tr("Remove");
}

// The folder an entry lies in, with the home folder as "~": short enough to read whole.
QString folderShown(const QString& entryPath)
{
    const QString folder = QFileInfo(entryPath).path();
    const QString home = QDir::homePath();
    if (folder == home || folder.startsWith(home + u'/'))
        return u"~"_s + folder.mid(home.size());
    return folder;
}

} // namespace

void PlanSheet::fillTable(QTableWidget& table, const QList<PlanConflict>& conflicts,
                          const QList<PlanAction>& actions)
{
    table.setRowCount(int(conflicts.size() + actions.size()));
    int row = 0;
    const auto addRow = [&](const QString& name, const QString& action, const QString& path,
                            const QString& reason) {
        const QString cells[columnCount] = {name.isEmpty() ? QFileInfo(path).fileName() : name, action,
                                            folderShown(path), reason};
        for (int column = 0; column < columnCount; ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            cell->setToolTip(column == placeColumn ? path : cells[column]);
            table.setItem(row, column, cell);
        }
        ++row;
    };
    for (const PlanConflict& conflict : conflicts)
        addRow(conflict.itemName, tr("Conflict"), conflict.path, OutcomeTexts::conflict(conflict));
    for (const PlanAction& action : actions)
        addRow(action.itemName, actionWord(action), action.path, QString());
    table.resizeColumnsToContents();
}

void PlanSheet::setNote(const QString& text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
    adjustSize();
}

QString PlanSheet::summary(const PlacementPlan& plan)
{
    // Each action word with its count, in the order the words first come up. A plan may hold
    // tens of thousands of actions: they are counted by kind, and each kind worded once.
    QList<std::pair<const PlanAction*, int>> kinds;
    const auto sameKind = [](const PlanAction& a, const PlanAction& b) {
        const bool placesA = a.op == PlanAction::Op::create || a.op == PlanAction::Op::copy;
        const bool placesB = b.op == PlanAction::Op::create || b.op == PlanAction::Op::copy;
        return placesA ? placesB : a.op == b.op && a.becomes == b.becomes;
    };
    for (const PlanAction& action : plan.actions) {
        auto known = std::find_if(kinds.begin(), kinds.end(),
                                  [&](const auto& kind) { return sameKind(*kind.first, action); });
        if (known == kinds.end())
            kinds.append({&action, 1});
        else
            ++known->second;
    }
    QStringList parts;
    for (const auto& [action, count] : std::as_const(kinds))
        parts.append(u"%1: %2"_s.arg(actionWord(*action)).arg(count));
    QString text = parts.isEmpty() ? tr("Nothing to change.") : parts.join(u", "_s) + u'.';
    const qsizetype changedHere = plan.changesHere();
    if (const auto foreign = plan.conflicts.size() - changedHere; foreign > 0)
        text += u"\n"_s +
                tr("Conflicts: %n. What Quorvane did not create stays untouched.", nullptr, int(foreign));
    if (changedHere > 0)
        text +=
            u"\n"_s + tr("Copies changed here: %n. They stay as they are unless you allow overwriting them.",
                         nullptr, int(changedHere));
    return text;
}

PlacementPlan PlanSheet::combined(const std::vector<PlacementPlan>& plans)
{
    PlacementPlan all;
    for (const PlacementPlan& plan : plans) {
        all.actions += plan.actions;
        all.conflicts += plan.conflicts;
    }
    return all;
}

PlanSheet::PlanSheet(const QString& title, const PlacementPlan& plan, QWidget* parent, Scope scope)
    : Sheet(parent)
{
    setObjectName(u"planSheet"_s);
    setWindowTitle(title);
    auto* heading = new QLabel(title, this);
    heading->setFont(TextStyles::scaled(heading->font(), 1.1, true));
    m_note = new QLabel(this);
    m_note->setObjectName(u"planNote"_s);
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    m_note->setVisible(false);
    auto* counts = new QLabel(summary(plan), this);
    counts->setObjectName(u"planSummary"_s);
    counts->setTextFormat(Qt::PlainText);

    auto* details = new QTableWidget(0, columnCount, this);
    details->setObjectName(u"planDetails"_s);
    details->setHorizontalHeaderLabels({tr("Entry"), tr("Action"), tr("Place"), tr("Reason")});
    details->verticalHeader()->hide();
    details->horizontalHeader()->setStretchLastSection(true);
    details->setSelectionBehavior(QAbstractItemView::SelectRows);
    details->setWordWrap(false);
    details->setMinimumHeight(160);
    details->setVisible(false);
    auto* showDetails = new QToolButton(this);
    showDetails->setObjectName(u"planDetailsToggle"_s);
    showDetails->setText(tr("Show Details"));
    showDetails->setCheckable(true);
    // The entries are written when first asked for: a restore of thousands of links is
    // mostly carried out without anyone reading them.
    connect(showDetails, &QToolButton::toggled, this,
            [this, details, showDetails, conflicts = plan.conflicts, actions = plan.actions](bool shown) {
                if (shown && details->rowCount() == 0)
                    fillTable(*details, conflicts, actions);
                details->setVisible(shown);
                showDetails->setText(shown ? tr("Hide Details") : tr("Show Details"));
                adjustSize();
            });

    const qsizetype changedHere = plan.changesHere();
    auto* consent = new QCheckBox(tr("Overwrite copies changed here (%n)", nullptr, int(changedHere)), this);
    consent->setObjectName(u"planOverwriteChanged"_s);
    consent->setVisible(changedHere > 0);

    auto* cancel = new QPushButton(tr("Cancel"), this);
    auto* skip = new QPushButton(tr("Skip Conflicts"), this);
    skip->setObjectName(u"planSkipConflicts"_s);
    auto* carryOut = new QPushButton(tr("Run"), this);
    carryOut->setObjectName(u"planCarryOut"_s);
    // Consent turns the copies changed here from conflicts into actions.
    const auto offerChoices = [conflicts = plan.conflicts.size(), actions = plan.actions.size(), changedHere,
                               consent, skip, carryOut, scope] {
        const qsizetype consented = consent->isChecked() ? changedHere : 0;
        const qsizetype open = conflicts - consented;
        const qsizetype doable = actions + consented;
        skip->setVisible(open > 0 && (doable > 0 || scope == Scope::step));
        carryOut->setEnabled(open == 0 && (doable > 0 || scope == Scope::step));
        carryOut->setDefault(carryOut->isEnabled());
    };
    offerChoices();
    connect(consent, &QCheckBox::toggled, this, [this, offerChoices](bool checked) {
        m_consentsToChangesHere = checked;
        offerChoices();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(showDetails);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(skip);
    buttons->addWidget(carryOut);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_note);
    layout->addWidget(counts);
    layout->addWidget(details, 1);
    layout->addWidget(consent);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(skip, &QPushButton::clicked, this, [this] {
        m_choice = Choice::skipConflicts;
        accept();
    });
    connect(carryOut, &QPushButton::clicked, this, [this] {
        m_choice = Choice::carryOut;
        accept();
    });
}
