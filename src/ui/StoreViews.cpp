#include "StoreViews.h"

#include "DesktopServices.h"
#include "FileLinkerService.h"
#include "PlaceholderView.h"
#include "SkillDownload.h"
#include "SkillStoreService.h"
#include "SymbolIcons.h"
#include "TextStyles.h"

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
    auto* installs = new QLabel(QString::number(skill.installs) + u" \u2913"_s);
    installs->setObjectName(u"installs"_s);
    installs->setStyleSheet(u"QLabel { color: %1; }"_s.arg(SymbolColors::file.name()));
    installs->setFont(TextStyles::scaled(installs->font(), 0.8));
    layout->addLayout(lines, 1);
    layout->addWidget(installs);
    return row;
}

} // namespace

SkillStoreListView::SkillStoreListView(SkillStoreService& service, PlatformServices platform, QWidget* parent)
    : QWidget(parent)
    , m_service(service)
    , m_platform(platform)
    , m_search(new QLineEdit(this))
    , m_debounce(new QTimer(this))
    , m_pages(new QStackedWidget(this))
    , m_placeholder(new PlaceholderView(this))
    , m_list(new QListWidget(this))
{
    QLabel* title = TextStyles::title(u"Store"_s);
    m_search->setObjectName(u"storeSearch"_s);
    m_search->setPlaceholderText(u"Community-Skills suchen..."_s);
    m_search->setClearButtonEnabled(true);
    m_list->setObjectName(u"storeHits"_s);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pages->addWidget(progress(u"Suche bei "_s + service.endpoints().directoryName + u"..."_s, &m_progress));
    m_pages->addWidget(m_placeholder);
    m_pages->addWidget(m_list);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_search);
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
    // Queued: the alert is modal and must not run inside the service's change.
    connect(&m_service, &SkillStoreService::errorMessageChanged, this, &SkillStoreListView::showErrorIfAny,
            Qt::QueuedConnection);
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

QString SkillStoreListView::shownContent() const
{
    if (m_pages->currentIndex() == 0)
        return u"progress"_s;
    return m_pages->currentWidget() == m_list ? u"list"_s : m_placeholder->title();
}

void SkillStoreListView::updateContent()
{
    const QList<RemoteSkillItem>& hits = m_service.searchResults();
    if (m_service.isSearching()) {
        m_pages->setCurrentIndex(0);
    } else if (hits.isEmpty() && !m_search->text().isEmpty()) {
        m_placeholder->show(u"Nichts gefunden"_s, u"magnifyingglass"_s,
                            u"Es wurden keine Skills für '"_s + m_search->text() + u"' gefunden."_s);
        m_pages->setCurrentWidget(m_placeholder);
    } else if (hits.isEmpty()) {
        m_placeholder->show(
            u"Entdecken"_s, u"globe"_s,
            u"Tippe oben einen Suchbegriff ein (z.B. 'swift', 'seo' oder 'react'), um Community-Skills von "_s +
                m_service.endpoints().directoryName + u" zu finden."_s);
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
        row->setSizeHint(QSize(0, 44));
        m_list->setItemWidget(row, hitRow(hit));
        row->setSelected(m_selected == hit);
    }
}

void SkillStoreListView::showErrorIfAny()
{
    if (const auto message = m_service.errorMessage()) {
        m_platform.alerts.inform(u"Fehler"_s, *message);
        m_service.clearErrorMessage();
    }
}

QString SkillStoreDetailView::folderName(const RemoteSkillItem& skill)
{
    return skill.skillId.value_or(skill.name);
}

QString SkillStoreDetailView::displaySource(const RemoteSkillItem& skill)
{
    return skill.source.value_or(skill.id);
}

SkillStoreDetailView::SkillStoreDetailView(const RemoteSkillItem& skill, SkillStoreService& service,
                                           FileLinkerService& linker, PlatformServices platform,
                                           QWidget* parent)
    : QWidget(parent)
    , m_skill(skill)
    , m_service(service)
    , m_linker(linker)
    , m_platform(platform)
    , m_actions(new QStackedWidget(this))
    , m_reinstall(
          new QPushButton(symbolIcon(u"arrow.triangle.2.circlepath"_s), u"Ordner existiert (Erneut laden)"_s))
    , m_install(new QPushButton(symbolIcon(u"square.and.arrow.down"_s), u"Skill Installieren"_s))
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
    source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* installs = new QLabel(QString::number(skill.installs));
    QFont bold = installs->font();
    bold.setBold(true);
    installs->setFont(bold);
    infoLayout->addWidget(secondary(u"Entwickler:"_s));
    infoLayout->addWidget(source);
    infoLayout->addSpacing(20);
    infoLayout->addWidget(secondary(u"Downloads:"_s));
    infoLayout->addWidget(installs);
    column->addWidget(info, 0, Qt::AlignHCenter);

    const QString codeHost = QUrl(service.endpoints().rawBase).host();
    QLabel* note = secondary(u"Dieser Skill wird direkt von "_s + codeHost +
                             u" heruntergeladen und als SKILL.md in deinem Zentralen Hub installiert."_s);
    note->setContentsMargins(40, 0, 40, 0);
    column->addWidget(note);

    auto* existing = new QWidget;
    auto* existingLayout = new QVBoxLayout(existing);
    existingLayout->addWidget(m_reinstall, 0, Qt::AlignHCenter);
    auto* existsNote = new QLabel(u"Dieser Skill scheint bereits im Hub zu liegen."_s);
    existsNote->setStyleSheet(u"QLabel { color: %1; }"_s.arg(SymbolColors::warning.name()));
    existingLayout->addWidget(existsNote, 0, Qt::AlignHCenter);
    m_install->setMinimumWidth(200);
    m_install->setDefault(true);
    m_reinstall->setObjectName(u"reinstall"_s);
    m_install->setObjectName(u"install"_s);
    m_actions->addWidget(progress(u"Installiere Skill..."_s));
    m_actions->addWidget(existing);
    m_actions->addWidget(m_install);
    column->addWidget(m_actions);
    column->addStretch();

    connect(m_install, &QPushButton::clicked, this, &SkillStoreDetailView::install);
    connect(m_reinstall, &QPushButton::clicked, this, &SkillStoreDetailView::install);
    connect(&m_linker, &FileLinkerService::availableSkillsChanged, this,
            &SkillStoreDetailView::updateActionArea);
    updateActionArea();
}

void SkillStoreDetailView::updateActionArea()
{
    if (m_downloading)
        m_actions->setCurrentIndex(0);
    else
        m_actions->setCurrentIndex(m_linker.hubContainsItem(folderName(m_skill)) == true ? 1 : 2);
}

void SkillStoreDetailView::install()
{
    if (m_downloading)
        return;
    if (!m_linker.hasValidCentralHub()) {
        finishInstall(u"Bitte wähle zuerst den Zentralen Ordner im Hub aus!"_s);
        return;
    }
    m_downloading = true;
    updateActionArea();
    SkillDownload* download = m_service.downloadSkill(m_skill);
    connect(download, &SkillDownload::failed, this, [this](const SkillStoreError& error) {
        m_downloading = false;
        finishInstall(u"Download fehlgeschlagen:\n"_s + error.description());
    });
    connect(download, &SkillDownload::finished, this, [this](const QString& text) {
        m_downloading = false;
        const auto written = m_linker.installDownloadedSkill(folderName(m_skill), text);
        // An unreachable hub writes nothing: that is a failure, not a success.
        if (!written) {
            finishInstall(u"Installation fehlgeschlagen:\nDer Zentrale Hub ist nicht erreichbar."_s);
            return;
        }
        if (!written->ok()) {
            finishInstall(u"Installation fehlgeschlagen:\n"_s + written->error().description);
            return;
        }
        m_linker.scanCentralRepository();
        m_linker.announceStateChange();
        finishInstall(u"Skill '%1' wurde erfolgreich im Hub installiert!"_s.arg(m_skill.name));
    });
}

void SkillStoreDetailView::finishInstall(const QString& message)
{
    updateActionArea();
    Q_EMIT installFinished(message);
    m_platform.alerts.inform(u"SkillStore"_s, message);
}
