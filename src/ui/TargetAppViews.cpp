#include "TargetAppViews.h"

#include "DesktopServices.h"
#include "FileLinkerService.h"
#include "SymbolIcons.h"
#include "TargetApp.h"
#include "TextStyles.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

using TextStyles::coloured;
using TextStyles::secondary;

namespace {

QPushButton* tintedButton(const QString& text, const QColor& color)
{
    auto* button = new QPushButton(text);
    button->setStyleSheet(
        u"QPushButton { color: white; background: %1; border-radius: 4px; padding: 2px 8px; }"_s.arg(
            color.name()));
    return button;
}

} // namespace

TargetAppSkillsListView::TargetAppSkillsListView(FileLinkerService& linker, PlatformServices platform,
                                                 QWidget* parent)
    : QWidget(parent)
    , m_linker(linker)
    , m_platform(platform)
    , m_title(new QLabel(this))
    , m_pages(new QStackedWidget(this))
    , m_list(new QListWidget(this))
{
    m_title->setFont(TextStyles::scaled(m_title->font(), 1.3, true));
    m_title->setTextFormat(Qt::PlainText);
    auto* refresh = new QToolButton(this);
    refresh->setObjectName(u"refreshApp"_s);
    refresh->setIcon(symbolIcon(u"arrow.clockwise"_s));
    refresh->setToolTip(u"Aktualisieren"_s);
    auto* header = new QHBoxLayout;
    header->addWidget(m_title, 1);
    header->addWidget(refresh);

    m_list->setObjectName(u"appItems"_s);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QLabel* empty = secondary(u"Dieser Ordner ist noch leer."_s);
    empty->setObjectName(u"emptyFolder"_s);
    m_pages->addWidget(m_list);
    m_pages->addWidget(empty);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_pages);

    connect(refresh, &QToolButton::clicked, this, &TargetAppSkillsListView::reload);
    connect(m_list, &QListWidget::customContextMenuRequested, this,
            &TargetAppSkillsListView::showContextMenu);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_list->selectedItems();
        std::optional<TargetAppSkill> item;
        if (!selected.isEmpty())
            item = m_items.value(m_list->row(selected.constFirst()));
        if (item == m_selected)
            return;
        m_selected = item;
        Q_EMIT selectedItemChanged(m_selected);
    });
}

void TargetAppSkillsListView::setTargetApp(TargetApp* app)
{
    if (m_app == app)
        return;
    m_app = app;
    reload();
}

void TargetAppSkillsListView::setSelectedItem(const std::optional<TargetAppSkill>& item)
{
    m_selected = item;
    reload();
    Q_EMIT selectedItemChanged(m_selected);
}

void TargetAppSkillsListView::reload()
{
    m_title->setText(m_app ? m_app->name() : QString());
    m_items = m_app ? m_linker.listTargetAppSkills(*m_app).value_or(QList<TargetAppSkill>())
                    : QList<TargetAppSkill>();
    m_pages->setCurrentIndex(m_items.isEmpty() ? 1 : 0);
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const TargetAppSkill& item : std::as_const(m_items)) {
        auto* row = new QListWidgetItem(m_list);
        row->setSizeHint(QSize(0, 34));
        m_list->setItemWidget(row, makeRow(item));
        row->setSelected(m_selected && m_selected->url == item.url);
    }
}

QWidget* TargetAppSkillsListView::makeRow(const TargetAppSkill& item)
{
    auto* row = new QWidget;
    row->setObjectName(item.name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* symbol = new QLabel;
    symbol->setPixmap((item.isSymlink
                           ? tintedSymbolIcon(u"link"_s, row->palette().color(QPalette::PlaceholderText))
                           : tintedSymbolIcon(u"doc.badge.plus"_s, SymbolColors::good))
                          .pixmap(18, 18));
    auto* name = new QLabel(item.name);
    name->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    name->setTextFormat(Qt::PlainText);
    layout->addWidget(symbol);
    layout->addWidget(name, 1);

    QWidget* state = nullptr;
    switch (targetItemState(item, m_linker.centralRepositoryPath())) {
    case TargetItemState::repairable: {
        QPushButton* button = tintedButton(u"Link Reparieren"_s, SymbolColors::warning);
        connect(
            button, &QPushButton::clicked, this, [this, item] { repair(item); }, Qt::QueuedConnection);
        state = button;
        break;
    }
    case TargetItemState::broken: {
        QLabel* label = coloured(u"Kaputter Link"_s, SymbolColors::bad);
        label->setFont(TextStyles::scaled(label->font(), 0.85));
        state = label;
        break;
    }
    case TargetItemState::linked: {
        QLabel* badge =
            coloured(u"Verlinkt im Hub"_s, SymbolColors::good,
                     u"background: rgba(46, 158, 74, 40); border-radius: 4px; padding: 3px 8px;"_s);
        badge->setFont(TextStyles::scaled(badge->font(), 0.85, true));
        state = badge;
        break;
    }
    case TargetItemState::importable: {
        QPushButton* button = tintedButton(u"In Hub Importieren"_s, SymbolColors::good);
        connect(
            button, &QPushButton::clicked, this, [this, item] { import(item); }, Qt::QueuedConnection);
        state = button;
        break;
    }
    }
    state->setObjectName(u"itemState"_s);
    layout->addWidget(state);
    return row;
}

void TargetAppSkillsListView::repair(const TargetAppSkill& item)
{
    if (m_app)
        m_linker.repairLink(item, *m_app);
    reload();
}

void TargetAppSkillsListView::import(const TargetAppSkill& item)
{
    if (m_app)
        m_linker.importSkill(item, *m_app);
    reload();
}

void TargetAppSkillsListView::showContextMenu(const QPoint& position)
{
    QListWidgetItem* row = m_list->itemAt(position);
    if (!row)
        return;
    const TargetAppSkill item = m_items.value(m_list->row(row));
    QMenu menu(this);
    // The entry itself: for a link, the link inside the app's folder, not its target.
    menu.addAction(u"Im Finder anzeigen"_s, this,
                   [this, item] { m_platform.reveal.reveal(item.url.toLocalFile()); });
    menu.addSeparator();
    menu.addAction(symbolIcon(u"trash"_s), u"Löschen"_s, this, [this, item] { confirmAndDelete(item); });
    menu.exec(m_list->viewport()->mapToGlobal(position));
}

void TargetAppSkillsListView::confirmAndDelete(const TargetAppSkill& item)
{
    if (!m_app || !m_platform.alerts.confirmDestructive(
                      u"Möchtest du '%1' wirklich löschen?"_s.arg(item.name),
                      u"Diese Aktion löscht die Datei oder Verknüpfung aus diesem Ordner."_s, u"Abbrechen"_s,
                      u"Löschen"_s))
        return;
    m_linker.removeTargetItem(item.url.toLocalFile(), *m_app);
    if (m_selected && m_selected->url == item.url) {
        m_selected.reset();
        Q_EMIT selectedItemChanged(m_selected);
    }
    reload();
}

TargetSkillDetailView::TargetSkillDetailView(const TargetAppSkill& item, const FileLinkerService& linker,
                                             PlatformServices platform, QWidget* parent)
    : QWidget(parent)
    , m_headline(new QLabel)
    , m_explanation(secondary({}))
{
    setObjectName(u"targetSkillDetail"_s);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(20);
    column->addStretch();
    auto* symbol = new QLabel;
    symbol->setPixmap((item.isSymlink ? tintedSymbolIcon(u"link.circle.fill"_s, SymbolColors::file)
                                      : tintedSymbolIcon(u"doc.circle.fill"_s, SymbolColors::good))
                          .pixmap(60, 60));
    column->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* name = new QLabel(item.name);
    name->setTextFormat(Qt::PlainText);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    column->addWidget(name, 0, Qt::AlignHCenter);

    QColor headlineColor;
    if (!item.isSymlink) {
        m_headline->setText(u"Lokale Datei in dieser App."_s);
        headlineColor = SymbolColors::good;
        m_explanation->setText(
            u"Um diesen Skill auch für andere Apps verfügbar zu machen, klicke in der Liste auf "
            "'In Hub Importieren'. Dadurch wird die Datei in den zentralen Hub verschoben."_s);
    } else if (item.isBroken) {
        m_headline->setText(u"Kaputter Link"_s);
        headlineColor = SymbolColors::bad;
        m_explanation->setText(
            item.hasNamesakeInHub
                ? u"Ich habe einen namensgleichen Skill im Hub gefunden. Soll ich den kaputten Link "
                  "löschen und aus dem Hub neu verknüpfen?"_s
                : u"Das Ziel dieser Verknüpfung existiert nicht mehr."_s);
    } else if (item.pointsIntoHub(linker.centralRepositoryPath())) {
        m_headline->setText(u"Mit Zentralem Hub verknüpft."_s);
        headlineColor = palette().color(QPalette::PlaceholderText);
    } else {
        m_headline->setText(u"Externe Verknüpfung."_s);
        headlineColor = SymbolColors::warning;
        m_explanation->setText(
            u"Um diese originalen Daten auch für andere Apps verfügbar zu machen, importiere sie "
            "in den Hub."_s);
    }
    QFont headlineFont = m_headline->font();
    headlineFont.setBold(true);
    m_headline->setFont(headlineFont);
    m_headline->setStyleSheet(u"QLabel { color: %1; }"_s.arg(headlineColor.name()));
    m_headline->setObjectName(u"headline"_s);
    column->addWidget(m_headline, 0, Qt::AlignHCenter);
    if (!m_explanation->text().isEmpty())
        column->addWidget(m_explanation);
    else
        m_explanation->hide();

    if (item.isSymlink && item.symlinkDestination) {
        const QString destination = item.symlinkDestination->toLocalFile();
        auto* block = new QFrame;
        block->setObjectName(u"destinationBlock"_s);
        block->setAutoFillBackground(true);
        block->setBackgroundRole(QPalette::Base);
        block->setFrameShape(QFrame::StyledPanel);
        auto* blockLayout = new QVBoxLayout(block);
        QLabel* label = secondary(u"Zeigt auf:"_s);
        label->setFont(TextStyles::scaled(label->font(), 0.85));
        label->setAlignment(Qt::AlignLeft);
        auto* path = new QLabel(destination);
        path->setObjectName(u"destination"_s);
        path->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        path->setTextFormat(Qt::PlainText);
        path->setWordWrap(true);
        blockLayout->addWidget(label);
        blockLayout->addWidget(path);
        block->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(block, &QFrame::customContextMenuRequested, this,
                [this, block, destination, platform](const QPoint& at) {
                    QMenu menu(this);
                    menu.addAction(u"Pfad kopieren"_s, this,
                                   [platform, destination] { platform.clipboard.copyText(destination); });
                    menu.addAction(u"Im Finder anzeigen"_s, this,
                                   [platform, destination] { platform.reveal.reveal(destination); });
                    menu.exec(block->mapToGlobal(at));
                });
        column->addWidget(block);
    }
    column->addStretch();
}

QString TargetSkillDetailView::headline() const
{
    return m_headline->text();
}

QString TargetSkillDetailView::explanation() const
{
    return m_explanation->text();
}
