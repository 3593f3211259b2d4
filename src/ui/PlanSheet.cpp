#include "ui/PlanSheet.h"

#include "ui/TextStyles.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QStringList PlanSheet::detailLines(const QList<PlanConflict>& conflicts, const QList<PlanAction>& actions)
{
    QStringList lines;
    lines.reserve(conflicts.size() + actions.size());
    for (const PlanConflict& conflict : conflicts)
        lines.append(tr("Konflikt: %1 – %2").arg(conflict.path, conflict.reason));
    for (const PlanAction& action : actions) {
        switch (action.op) {
        case PlanAction::Op::create:
            lines.append(tr("Anlegen: %1 → %2").arg(action.path, action.destination));
            break;
        case PlanAction::Op::copy:
            lines.append(tr("Kopieren: %1 → %2").arg(action.destination, action.path));
            break;
        case PlanAction::Op::replace:
            lines.append(tr("Erneuern: %1").arg(action.path));
            break;
        case PlanAction::Op::remove:
            lines.append(tr("Entfernen: %1").arg(action.path));
            break;
        }
    }
    return lines;
}

QString PlanSheet::summary(const PlacementPlan& plan)
{
    int created = 0;
    int replaced = 0;
    int removed = 0;
    for (const PlanAction& action : plan.actions) {
        if (action.op == PlanAction::Op::create || action.op == PlanAction::Op::copy)
            ++created;
        else if (action.op == PlanAction::Op::replace)
            ++replaced;
        else
            ++removed;
    }
    QStringList parts;
    if (created)
        parts.append(tr("Anlegen: %n", nullptr, created));
    if (replaced)
        parts.append(tr("Erneuern: %n", nullptr, replaced));
    if (removed)
        parts.append(tr("Entfernen: %n", nullptr, removed));
    QString text = parts.isEmpty() ? tr("Nichts zu ändern.") : parts.join(u", "_s) + u'.';
    const qsizetype changedHere = plan.changesHere();
    if (const auto foreign = plan.conflicts.size() - changedHere; foreign > 0)
        text += u"\n"_s + tr("Konflikte: %n. Was Quorvane nicht angelegt hat, bleibt unberührt.", nullptr,
                             int(foreign));
    if (changedHere > 0)
        text += u"\n"_s + tr("Hier geänderte Kopien: %n. Sie bleiben, wie sie sind, außer du erlaubst das "
                             "Überschreiben.",
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

PlanSheet::PlanSheet(const QString& title, const PlacementPlan& plan, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"planSheet"_s);
    setWindowTitle(title);
    auto* heading = new QLabel(title, this);
    heading->setFont(TextStyles::scaled(heading->font(), 1.1, true));
    auto* counts = new QLabel(summary(plan), this);
    counts->setObjectName(u"planSummary"_s);
    counts->setTextFormat(Qt::PlainText);

    auto* details = new QListWidget(this);
    details->setObjectName(u"planDetails"_s);
    details->setVisible(false);
    auto* showDetails = new QToolButton(this);
    showDetails->setObjectName(u"planDetailsToggle"_s);
    showDetails->setText(tr("Details anzeigen"));
    showDetails->setCheckable(true);
    // The entries are written when first asked for: a restore of thousands of links is
    // mostly carried out without anyone reading them.
    connect(showDetails, &QToolButton::toggled, this,
            [this, details, showDetails, conflicts = plan.conflicts, actions = plan.actions](bool shown) {
                if (shown && details->count() == 0)
                    details->addItems(detailLines(conflicts, actions));
                details->setVisible(shown);
                showDetails->setText(shown ? tr("Details ausblenden") : tr("Details anzeigen"));
                adjustSize();
            });

    const qsizetype changedHere = plan.changesHere();
    auto* consent =
        new QCheckBox(tr("Hier geänderte Kopien überschreiben (%n)", nullptr, int(changedHere)), this);
    consent->setObjectName(u"planOverwriteChanged"_s);
    consent->setVisible(changedHere > 0);

    auto* cancel = new QPushButton(tr("Abbrechen"), this);
    auto* skip = new QPushButton(tr("Konflikte überspringen"), this);
    skip->setObjectName(u"planSkipConflicts"_s);
    auto* carryOut = new QPushButton(tr("Ausführen"), this);
    carryOut->setObjectName(u"planCarryOut"_s);
    // Consent turns the copies changed here from conflicts into actions.
    const auto offerChoices = [conflicts = plan.conflicts.size(), actions = plan.actions.size(), changedHere,
                               consent, skip, carryOut] {
        const qsizetype consented = consent->isChecked() ? changedHere : 0;
        const qsizetype open = conflicts - consented;
        const qsizetype doable = actions + consented;
        skip->setVisible(open > 0 && doable > 0);
        carryOut->setEnabled(open == 0 && doable > 0);
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
