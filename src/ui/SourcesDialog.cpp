#include "ui/SourcesDialog.h"

#include "actions/ChangeFeed.h"
#include "actions/SourceActions.h"
#include "actions/Workspace.h"
#include "store/SkillIndex.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int sourceIdRole = Qt::UserRole;

} // namespace

SourcesDialog::SourcesDialog(Workspace& workspace, SkillStoreService& store, QWidget* parent)
    : Sheet(parent)
    , m_workspace(workspace)
    , m_store(store)
    , m_list(new QListWidget(this))
    , m_kind(new QComboBox(this))
    , m_location(new QLineEdit(this))
    , m_host(new QLineEdit(this))
    , m_remove(new QPushButton(tr("Remove"), this))
    , m_refresh(new QPushButton(tr("Refresh"), this))
    , m_message(new QLabel(this))
{
    setObjectName(u"sourcesDialog"_s);
    setWindowTitle(tr("Sources"));
    setMinimumWidth(640);
    m_list->setObjectName(u"sourceList"_s);
    m_kind->setObjectName(u"sourceKind"_s);
    m_kind->addItem(tr("GitHub repository"), u"github"_s);
    m_kind->addItem(tr("Directory"), u"directory"_s);
    m_kind->addItem(tr("Git repository"), u"git"_s);
    m_location->setObjectName(u"sourceLocation"_s);
    const auto showForm = [this] {
        const QString kind = m_kind->currentData().toString();
        m_host->setVisible(kind == u"github"_s);
        m_location->setPlaceholderText(kind == u"git"_s
                                           ? tr("URL[@REF][#PATH], e.g. git@git.example.com:team/skills.git")
                                       : kind == u"github"_s ? tr("OWNER/REPO[@REF][:PATH]")
                                                             : tr("https://…"));
    };
    m_host->setObjectName(u"sourceHost"_s);
    // The host is short beside the location, which says the form it wants.
    m_host->setMaximumWidth(m_host->fontMetrics().horizontalAdvance(u"github.example.com"_s) + 24);
    m_host->setPlaceholderText(tr("Host: github.com"));
    m_host->setAccessibleName(tr("GitHub host"));
    m_host->setToolTip(tr("Another GitHub host, such as https://github.example.com"));
    showForm();
    connect(m_kind, &QComboBox::currentIndexChanged, this, showForm);
    m_location->setAccessibleName(tr("New source"));
    auto* add = new QPushButton(tr("Add"), this);
    add->setObjectName(u"addSource"_s);
    m_remove->setObjectName(u"removeSource"_s);
    m_refresh->setObjectName(u"refreshSources"_s);
    m_message->setObjectName(u"sourceMessage"_s);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);

    auto* adding = new QHBoxLayout;
    adding->addWidget(m_kind);
    adding->addWidget(m_host);
    adding->addWidget(m_location, 1);
    adding->addWidget(add);
    auto* listActions = new QHBoxLayout;
    listActions->addWidget(m_remove);
    listActions->addWidget(m_refresh);
    listActions->addStretch();
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(listActions);
    layout->addLayout(adding);
    layout->addWidget(m_message);
    layout->addWidget(close);

    connect(add, &QPushButton::clicked, this, &SourcesDialog::addSource);
    connect(m_location, &QLineEdit::returnPressed, this, &SourcesDialog::addSource);
    connect(m_host, &QLineEdit::returnPressed, this, &SourcesDialog::addSource);
    connect(m_remove, &QPushButton::clicked, this, &SourcesDialog::removeSelected);
    connect(m_refresh, &QPushButton::clicked, this, &SourcesDialog::refreshAll);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&m_workspace.changes(), &ChangeFeed::sourcesChanged, this, &SourcesDialog::reload);
    reload();
}

void SourcesDialog::reload()
{
    m_list->clear();
    for (const SkillSourceRecord* source : SourceActions(m_workspace).sources()) {
        QString text = source->location();
        const bool git = source->kind() == SkillSourceRecord::Kind::git;
        if (source->kind() == SkillSourceRecord::Kind::directory) {
            text += tr(" — directory");
        } else if (const auto index = SkillIndex::load(source->location()); index && index->refreshedAt) {
            const QString count = QLocale().toString(index->skills.size());
            const QString read = QLocale().toString(index->refreshedAt->toLocalTime(), QLocale::ShortFormat);
            text += git ? tr(" — git, skills: %1, read on %2").arg(count, read)
                        : tr(" — GitHub, skills: %1, read on %2").arg(count, read);
            if (index->truncated)
                text += tr(" (GitHub shortened the list; skills are missing)");
        } else {
            text += git ? tr(" — git, not read yet") : tr(" — GitHub, not read yet");
        }
        auto* row = new QListWidgetItem(text, m_list);
        row->setData(sourceIdRole, source->id());
    }
    m_remove->setEnabled(false);
}

void SourcesDialog::addSource()
{
    const auto kind = SkillSourceRecord::kindNamed(m_kind->currentData().toString());
    const auto added = SourceActions(m_workspace)
                           .add(kind.value_or(SkillSourceRecord::Kind::github), m_location->text(),
                                m_host->isVisible() ? m_host->text() : QString());
    if (!added) {
        tell(OutcomeTexts::problem(added.error()));
        return;
    }
    m_location->clear();
    m_host->clear();
    tell({});
    if (added.value()->kind() != SkillSourceRecord::Kind::directory)
        refreshAll(); // a new repository is read at once, so it can be searched
}

void SourcesDialog::removeSelected()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const auto source =
        SourceActions(m_workspace).find(selected.first()->data(sourceIdRole).toUuid().toString());
    if (source)
        (void)SourceActions(m_workspace).remove(*source.value()); // a failed save is logged
}

void SourcesDialog::refreshAll()
{
    m_refresh->setEnabled(false);
    tell(tr("Reading the sources …"));
    m_store.refreshSources(false, [dialog = QPointer(this)](const QList<Problem>& failures) {
        if (!dialog)
            return; // closed meanwhile; the lists are read all the same
        dialog->m_refresh->setEnabled(true);
        dialog->tell(failures.isEmpty() ? tr("All sources have been read.")
                                        : OutcomeTexts::problems(failures));
        dialog->reload();
    });
}

void SourcesDialog::tell(const QString& message)
{
    m_message->setText(message);
}
