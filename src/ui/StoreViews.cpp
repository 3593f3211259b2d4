#include "ui/StoreViews.h"

#include "actions/SkillInstall.h"
#include "actions/Workspace.h"
#include "linker/HubCatalog.h"
#include "store/SkillStoreService.h"
#include "texts/OutcomeTexts.h"
#include "ui/InstallReport.h"
#include "ui/PlaceholderView.h"
#include "ui/Shortcuts.h"
#include "ui/SymbolIcons.h"
#include "ui/TextStyles.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using TextStyles::secondary;

namespace {

QWidget* progress(const QString& text, QLabel** label = nullptr)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    auto* bar = new QProgressBar;
    bar->setRange(0, 0);
    bar->setMaximumWidth(200);
    auto* caption = new QLabel(text);
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(bar, 0, Qt::AlignHCenter);
    layout->addWidget(caption);
    layout->addStretch();
    if (label)
        *label = caption;
    return page;
}

QWidget* hitRow(const RemoteSkillItem& skill)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    auto* name = new QLabel(skill.name);
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* source = secondary(SkillStoreDetailView::displaySource(skill));
    source->setAlignment(Qt::AlignLeft);
    lines->addWidget(name);
    lines->addWidget(source);
    source->setTextFormat(Qt::PlainText);
    layout->addLayout(lines, 1);
    // A GitHub source counts no downloads; its hits say what they do instead.
    if (skill.fromIndex) {
        if (!skill.fromIndex->description.isEmpty()) {
            // One line in the list; the detail shows all of it.
            const QString& text = skill.fromIndex->description;
            auto* description = secondary(text.size() > 90 ? text.left(89).trimmed() + u'…' : text);
            description->setObjectName(u"hitDescription"_s);
            description->setTextFormat(Qt::PlainText);
            description->setWordWrap(false);
            description->setAlignment(Qt::AlignLeft);
            lines->addWidget(description);
        }
        return row;
    }
    auto* installs = new QLabel(QString::number(skill.installs) + u" \u2913"_s);
    installs->setObjectName(u"installs"_s);
    installs->setStyleSheet(u"QLabel { color: %1; }"_s.arg(SymbolColors::file.name()));
    installs->setFont(TextStyles::scaled(installs->font(), 0.8));
    layout->addWidget(installs);
    return row;
}

} // namespace

SkillStoreListView::SkillStoreListView(SkillStoreService& service, DesktopServices desktop, QWidget* parent)
    : QWidget(parent)
    , m_service(service)
    , m_desktop(desktop)
    , m_search(new QLineEdit(this))
    , m_debounce(new QTimer(this))
    , m_pages(new QStackedWidget(this))
    , m_placeholder(new PlaceholderView(this))
    , m_failedNote(TextStyles::secondary(QString()))
    , m_list(new QListWidget(this))
{
    QLabel* title = TextStyles::title(tr("Store"));
    m_search->setObjectName(u"storeSearch"_s);
    m_search->setPlaceholderText(tr("Search community skills..."));
    m_search->setAccessibleName(tr("Search community skills"));
    Shortcuts::addFindAction(*this, *m_search);
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(u"storeHits"_s);
    m_list->setAccessibleName(tr("Skills found"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pages->addWidget(progress(tr("Searching %1...").arg(service.source().displayName()), &m_progress));
    m_pages->addWidget(m_placeholder);
    m_pages->addWidget(m_list);

    auto* sources = new QPushButton(symbolIcon(u"globe"_s), tr("Sources"), this);
    sources->setObjectName(u"sourcesButton"_s);
    connect(sources, &QPushButton::clicked, this, &SkillStoreListView::sourcesRequested);
    auto* header = new QHBoxLayout;
    header->addWidget(title, 1);
    header->addWidget(sources);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_search);
    m_failedNote->setObjectName(u"storeFailedSources"_s);
    m_failedNote->setWordWrap(true);
    m_failedNote->hide();
    layout->addWidget(m_failedNote);
    layout->addWidget(m_pages);

    // A restarted single-shot timer: only the last change within the wait is searched for.
    m_debounce->setSingleShot(true);
    m_debounce->setInterval(debounceMilliseconds);
    connect(m_search, &QLineEdit::textChanged, m_debounce, qOverload<>(&QTimer::start));
    connect(m_debounce, &QTimer::timeout, this, [this] { m_service.search(m_search->text()); });
    connect(m_search, &QLineEdit::textChanged, this, &SkillStoreListView::updateContent);
    connect(&m_service, &SkillStoreService::isSearchingChanged, this, &SkillStoreListView::updateContent);
    connect(&m_service, &SkillStoreService::searchResultsChanged, this, &SkillStoreListView::rebuildHits);
    connect(&m_service, &SkillStoreService::searchResultsChanged, this, &SkillStoreListView::updateContent);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        std::optional<RemoteSkillItem> skill;
        if (!selected.isEmpty())
            skill = m_service.searchResults().value(m_list->row(selected.constFirst()));
        if (skill == m_selected)
            return;
        m_selected = skill;
        Q_EMIT selectedSkillChanged(m_selected);
    });
    rebuildHits();
    updateContent();
}

void SkillStoreListView::updateContent()
{
    const QList<RemoteSkillItem>& hits = m_service.searchResults();
    const bool searched = !m_search->text().isEmpty() && !m_service.isSearching();
    const bool partlyFailed =
        searched && !m_service.lastSearchFailed() && !m_service.failedSources().isEmpty();
    m_failedNote->setText(partlyFailed ? tr("Not reachable:") + u'\n' +
                                             OutcomeTexts::problems(m_service.failedSources())
                                       : QString());
    m_failedNote->setVisible(partlyFailed);
    if (m_service.isSearching()) {
        // The sources may have changed since the view was made.
        m_progress->setText(tr("Searching %1...").arg(m_service.source().displayName()));
        m_pages->setCurrentIndex(0);
    } else if (!m_service.source().isConfigured()) {
        m_placeholder->show(
            tr("No Sources"), u"globe"_s,
            tr("No source to search in is set up. Add a GitHub repository or a directory under “Sources”."));
        m_pages->setCurrentWidget(m_placeholder);
    } else if (searched && m_service.lastSearchFailed()) {
        // A failure is not an empty result: each source says why it could not be read.
        m_placeholder->show(tr("No Source Reachable"), u"exclamationmark.triangle"_s,
                            OutcomeTexts::problems(m_service.failedSources()));
        m_pages->setCurrentWidget(m_placeholder);
    } else if (hits.isEmpty() && !m_search->text().isEmpty()) {
        m_placeholder->show(tr("Nothing Found"), u"magnifyingglass"_s,
                            tr("No skills were found for '%1'.").arg(m_search->text()));
        m_pages->setCurrentWidget(m_placeholder);
    } else if (hits.isEmpty()) {
        m_placeholder->show(
            tr("Discover"), u"globe"_s,
            tr("Type a search term above (e.g. 'swift', 'seo' or 'react') to find community skills from %1.")
                .arg(m_service.source().displayName()));
        m_pages->setCurrentWidget(m_placeholder);
    } else {
        m_pages->setCurrentWidget(m_list);
    }
}

void SkillStoreListView::clearSearchKeepingResults()
{
    {
        const QSignalBlocker blocker(m_search);
        m_search->clear();
    }
    m_debounce->stop();
    updateContent();
}

void SkillStoreListView::rebuildHits()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const RemoteSkillItem& hit : m_service.searchResults()) {
        auto* row = new QListWidgetItem(m_list);
        QWidget* widget = hitRow(hit);
        row->setSizeHint(QSize(0, std::max(44, widget->sizeHint().height()))); // a description adds a line
        m_list->setItemWidget(row, widget);
        row->setSelected(m_selected == hit);
    }
}

QString SkillStoreDetailView::displaySource(const RemoteSkillItem& skill)
{
    return skill.source.value_or(skill.id);
}

SkillStoreDetailView::SkillStoreDetailView(const RemoteSkillItem& skill, SkillStoreService& service,
                                           Workspace& workspace, DesktopServices desktop, QWidget* parent)
    : QWidget(parent)
    , m_skill(skill)
    , m_service(service)
    , m_workspace(workspace)
    , m_desktop(desktop)
    , m_actions(new QStackedWidget(this))
    , m_reinstall(new QPushButton(symbolIcon(u"arrow.triangle.2.circlepath"_s), tr("Folder exists (Reload)")))
    , m_install(new QPushButton(symbolIcon(u"square.and.arrow.down"_s), tr("Install Skill")))
{
    setObjectName(u"storeDetail"_s);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(20);
    column->addSpacing(40);
    auto* symbol = new QLabel;
    symbol->setPixmap(tintedSymbolIcon(u"globe"_s, SymbolColors::file).pixmap(60, 60));
    column->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* name = new QLabel(skill.name);
    name->setTextFormat(Qt::PlainText);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.8);
    name->setFont(nameFont);
    column->addWidget(name, 0, Qt::AlignHCenter);

    auto* info = new QFrame;
    info->setAutoFillBackground(true);
    info->setBackgroundRole(QPalette::AlternateBase);
    info->setFrameShape(QFrame::StyledPanel);
    auto* infoLayout = new QHBoxLayout(info);
    auto* source = new QLabel(displaySource(skill));
    source->setObjectName(u"developer"_s);
    source->setTextFormat(Qt::PlainText);
    source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    infoLayout->addWidget(secondary(tr("Developer:")));
    infoLayout->addWidget(source);
    if (!skill.fromIndex) {
        auto* installs = new QLabel(QString::number(skill.installs));
        QFont bold = installs->font();
        bold.setBold(true);
        installs->setFont(bold);
        infoLayout->addSpacing(20);
        infoLayout->addWidget(secondary(tr("Downloads:")));
        infoLayout->addWidget(installs);
    }
    column->addWidget(info, 0, Qt::AlignHCenter);
    if (skill.fromIndex && !skill.fromIndex->description.isEmpty()) {
        QLabel* description = secondary(skill.fromIndex->description);
        description->setObjectName(u"hitDescription"_s);
        description->setTextFormat(Qt::PlainText);
        description->setContentsMargins(40, 0, 40, 0);
        column->addWidget(description);
    }

    QLabel* note = secondary(tr("This skill is downloaded directly from %1 and installed with every file of "
                                "its folder in your central hub.")
                                 .arg(service.source().downloadHost()));
    note->setTextFormat(Qt::PlainText);
    note->setContentsMargins(40, 0, 40, 0);
    column->addWidget(note);

    auto* existing = new QWidget;
    auto* existingLayout = new QVBoxLayout(existing);
    existingLayout->addWidget(m_reinstall, 0, Qt::AlignHCenter);
    auto* existsNote = new QLabel(tr("This skill seems to be in the hub already."));
    existsNote->setStyleSheet(u"QLabel { color: %1; }"_s.arg(SymbolColors::warning.name()));
    existingLayout->addWidget(existsNote, 0, Qt::AlignHCenter);
    m_install->setMinimumWidth(200);
    m_install->setDefault(true);
    m_reinstall->setObjectName(u"reinstall"_s);
    m_install->setObjectName(u"install"_s);
    // A page of a stack takes the stack's whole size: the button sits in a page of its own
    // so that it keeps the platform's height.
    auto* installPage = new QWidget;
    auto* installLayout = new QVBoxLayout(installPage);
    installLayout->addWidget(m_install, 0, Qt::AlignHCenter | Qt::AlignTop);
    m_actions->addWidget(progress(tr("Installing skill...")));
    m_actions->addWidget(existing);
    m_actions->addWidget(installPage);
    m_actions->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    column->addWidget(m_actions);
    column->addStretch();

    connect(m_install, &QPushButton::clicked, this, &SkillStoreDetailView::install);
    connect(m_reinstall, &QPushButton::clicked, this, &SkillStoreDetailView::install);
    connect(&m_workspace.changes(), &ChangeFeed::hubItemsChanged, this,
            &SkillStoreDetailView::updateActionArea);
    updateActionArea();
}

void SkillStoreDetailView::updateActionArea()
{
    if (m_downloading)
        m_actions->setCurrentIndex(0);
    else
        m_actions->setCurrentIndex(
            m_workspace.hubCatalog().containsItem(SkillInstall::folderName(m_skill)) == true ? 1 : 2);
}

void SkillStoreDetailView::install()
{
    if (m_downloading)
        return;
    m_downloading = true;
    updateActionArea();
    InstallOptions options;
    options.consent = riskQuestion(m_desktop.alerts, RiskStep::installing);
    SkillInstall* running = SkillInstall::start(m_workspace, m_service.source(), m_skill, options);
    connect(running, &SkillInstall::finished, this, &SkillStoreDetailView::finishInstall);
    Q_EMIT installStarted(running);
}

void SkillStoreDetailView::finishInstall()
{
    m_downloading = false;
    updateActionArea();
}
