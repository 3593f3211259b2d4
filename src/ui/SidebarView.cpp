#include "ui/SidebarView.h"

#include "access/UserEnvironment.h"
#include "model/TargetApp.h"
#include "ui/SymbolIcons.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int selectionRole = Qt::UserRole;
constexpr int folderPathRole = Qt::UserRole + 1; // set on app rows only
constexpr int renamingRole = Qt::UserRole + 2;   // the row shows its rename field instead

QVariant toVariant(const SidebarSelection& selection)
{
    return QVariantList{static_cast<int>(selection.kind), selection.appID};
}

std::optional<SidebarSelection> fromVariant(const QVariant& value)
{
    const QVariantList parts = value.toList();
    if (parts.size() != 2)
        return std::nullopt;
    return SidebarSelection{static_cast<SidebarSelection::Kind>(parts[0].toInt()), parts[1].toUuid()};
}

QFont headlineFont(QFont font)
{
    font.setBold(true);
    return font;
}

QFont captionFont(QFont font)
{
    font.setPointSizeF(font.pointSizeF() * 0.85);
    return font;
}

// An app row: symbol in the accent colour, the name, and the folder path as a caption
// line. Painted rather than built from widgets, so hundreds of apps list at once.
class AppRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (!index.data(folderPathRole).isValid()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        background.icon = QIcon();
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, view);
        const QRect area = option.rect.adjusted(4, 2, -4, -2);
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        icon.paint(painter, QRect(area.left(), area.center().y() - 10, 20, 20));
        if (index.data(renamingRole).toBool())
            return; // the rename field stands beside the symbol
        const QRect text = area.adjusted(28, 0, 0, 0);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorRole textRole = selected ? QPalette::HighlightedText : QPalette::Text;

        painter->save();
        const QFont nameFont = headlineFont(option.font);
        const QFont pathFont = captionFont(option.font);
        const int nameHeight = QFontMetrics(nameFont).height();
        const int pathHeight = QFontMetrics(pathFont).height();
        const int top = text.center().y() - (nameHeight + pathHeight) / 2;
        painter->setFont(nameFont);
        painter->setPen(option.palette.color(textRole));
        painter->drawText(QRect(text.left(), top, text.width(), nameHeight), Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(nameFont).elidedText(index.data(Qt::DisplayRole).toString(),
                                                            Qt::ElideRight, text.width()));
        painter->setFont(pathFont);
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
        painter->drawText(QRect(text.left(), top + nameHeight, text.width(), pathHeight),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(pathFont).elidedText(index.data(folderPathRole).toString(),
                                                            Qt::ElideMiddle, text.width()));
        painter->restore();
    }
};

// The row of the app being renamed: the rename field over the folder path.
QWidget* makeRenameRow(const QString& folderPath, QLineEdit* renameField)
{
    auto* row = new QWidget;
    row->setAutoFillBackground(true);
    renameField->setFont(headlineFont(renameField->font()));
    auto* path = new QLabel(folderPath, row);
    path->setTextFormat(Qt::PlainText);
    path->setFont(captionFont(path->font()));
    path->setForegroundRole(QPalette::PlaceholderText);
    auto* lines = new QVBoxLayout(row);
    lines->setContentsMargins(2, 2, 2, 2);
    lines->setSpacing(0);
    lines->addWidget(renameField);
    lines->addWidget(path);
    return row;
}

} // namespace

SidebarView::SidebarView(QWidget* parent)
    : QWidget(parent)
    , m_tree(new QTreeWidget(this))
    , m_revealAction(
          makeAppAction(u"revealAppAction"_s, tr("Show in File Manager"), &SidebarView::revealRequested))
    , m_renameAction(makeAppAction(u"renameAppAction"_s, tr("Rename"), &SidebarView::renameRequested))
    , m_renewAccessAction(
          makeAppAction(u"renewAccessAction"_s, tr("Renew Access"), &SidebarView::renewAccessRequested))
    , m_addProjectAction(new QAction(symbolIcon(u"plus"_s), tr("Add Project…"), this))
{
    // The title opens the health page: whether each assistant sees the skills placed for it.
    auto* showHealth = new QAction(tr("Overview"), this);
    showHealth->setObjectName(u"showHealthAction"_s);
    showHealth->setToolTip(tr("State of the apps: does every assistant see its skills?"));
    connect(showHealth, &QAction::triggered, this, [this] { setSelection(SidebarSelection::health()); });
    auto* title = new QToolButton(this);
    title->setDefaultAction(showHealth);
    title->setAutoRaise(true);
    QFont titleFont = headlineFont(title->font());
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
    title->setObjectName(u"sidebarTitle"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(m_tree);

    m_tree->setObjectName(u"sidebar"_s);
    m_tree->setAccessibleName(tr("Overview"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setIconSize(QSize(20, 20));
    m_tree->setItemDelegate(new AppRowDelegate(m_tree));

    addEntry(addSection(tr("Discover")), tr("Find Skills"), u"globe"_s, SidebarSelection::discoverStore());
    addEntry(addSection(tr("Your Setup")), tr("Central Hub"), u"server.rack"_s,
             SidebarSelection::centralHub());
    m_appsSection = addSection(tr("Apps"));
    // Apps inside a repository, under their project's folder name, and the row that adds one.
    m_projectsSection = addSection(tr("Projects"));
    m_addProjectRow = new QTreeWidgetItem(m_projectsSection, {m_addProjectAction->text()});
    m_addProjectRow->setIcon(0, m_addProjectAction->icon());
    m_addProjectRow->setFlags(Qt::ItemIsEnabled); // a button, never the selection
    m_addProjectAction->setObjectName(u"addProjectAction"_s);
    m_addProjectAction->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
    m_addProjectAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_addProjectAction);
    connect(m_addProjectAction, &QAction::triggered, this, &SidebarView::addProjectRequested);
    m_tree->expandAll();

    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &SidebarView::takeSelectionFromTree);
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, &SidebarView::showContextMenu);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item == m_addProjectRow)
            m_addProjectAction->trigger();
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (const auto id = appIDOf(item))
            Q_EMIT renameRequested(*id);
    });
}

std::optional<QUuid> SidebarView::appIDOf(const QTreeWidgetItem* item) const
{
    const auto selection = item ? fromVariant(item->data(0, selectionRole)) : std::nullopt;
    if (!selection || selection->kind != SidebarSelection::Kind::app)
        return std::nullopt;
    return selection->appID;
}

QAction* SidebarView::makeAppAction(const QString& objectName, const QString& text,
                                    void (SidebarView::*request)(const QUuid&))
{
    auto* action = new QAction(text, this);
    action->setObjectName(objectName);
    connect(action, &QAction::triggered, this, [this, request] {
        if (const auto id = actionAppID())
            Q_EMIT(this->*request)(*id);
    });
    return action;
}

std::optional<QUuid> SidebarView::actionAppID() const
{
    if (m_contextMenuAppID)
        return m_contextMenuAppID;
    if (m_selection && m_selection->kind == SidebarSelection::Kind::app)
        return m_selection->appID;
    return std::nullopt;
}

void SidebarView::showContextMenu(const QPoint& position)
{
    m_contextMenuAppID = appIDOf(m_tree->itemAt(position));
    if (!m_contextMenuAppID)
        return;
    QMenu menu(this);
    menu.addAction(m_revealAction);
    menu.addSeparator();
    menu.addAction(m_renameAction);
    menu.addAction(m_renewAccessAction);
    menu.exec(m_tree->viewport()->mapToGlobal(position));
    m_contextMenuAppID.reset();
}

bool SidebarView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    // The arrow keys go from place to place: headings and folders are passed over.
    if (watched == m_tree &&
        (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End)) {
        QList<QTreeWidgetItem*> places;
        for (QTreeWidgetItemIterator item(m_tree); *item; ++item)
            if (fromVariant((*item)->data(0, selectionRole)))
                places.append(*item);
        if (places.isEmpty())
            return true;
        const qsizetype at = places.indexOf(m_tree->currentItem());
        qsizetype next = 0;
        if (key == Qt::Key_End)
            next = places.size() - 1;
        else if (key == Qt::Key_Up)
            next = at < 0 ? 0 : std::max<qsizetype>(at - 1, 0);
        else if (key == Qt::Key_Down)
            next = at < 0 ? 0 : std::min<qsizetype>(at + 1, places.size() - 1);
        m_tree->setCurrentItem(places.at(next));
        return true;
    }
    if (watched == m_tree && (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
        QList<QUuid> ids;
        for (const QTreeWidgetItem* item : m_tree->selectedItems()) {
            if (const auto id = appIDOf(item))
                ids.append(*id);
        }
        if (!ids.isEmpty()) {
            Q_EMIT deleteRequested(ids);
            return true;
        }
    }
    if (watched == renameField() && key == Qt::Key_Escape) {
        // Later: the field must not be deleted while it handles its own key press.
        QMetaObject::invokeMethod(this, &SidebarView::finishRenaming, Qt::QueuedConnection);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QLineEdit* SidebarView::renameField() const
{
    return m_tree->findChild<QLineEdit*>(u"renameField"_s);
}

void SidebarView::startRenaming(const QUuid& appID, const QString& name)
{
    m_renamingAppID = appID;
    rebuildAppRows();
    if (QLineEdit* field = renameField()) {
        field->setText(name);
        field->setFocus();
        field->selectAll();
    }
}

void SidebarView::finishRenaming()
{
    m_renamingAppID.reset();
    rebuildAppRows();
}

QTreeWidgetItem* SidebarView::addSection(const QString& title)
{
    auto* section = new QTreeWidgetItem(m_tree, {title});
    section->setFlags(Qt::ItemIsEnabled);
    QFont font = headlineFont(section->font(0));
    font.setPointSizeF(font.pointSizeF() * 0.85);
    section->setFont(0, font);
    section->setForeground(0, m_tree->palette().brush(QPalette::PlaceholderText));
    return section;
}

QTreeWidgetItem* SidebarView::addEntry(QTreeWidgetItem* section, const QString& label,
                                       const QString& symbolName, const SidebarSelection& value)
{
    auto* entry = new QTreeWidgetItem(section, {label});
    entry->setIcon(0, symbolIcon(symbolName));
    entry->setFont(0, headlineFont(entry->font(0)));
    entry->setData(0, selectionRole, toVariant(value));
    return entry;
}

void SidebarView::setTargetApps(const QList<TargetApp*>& apps, const QString& homeFolder)
{
    m_apps = apps;
    m_homeFolder = homeFolder;
    rebuildAppRows();
}

void SidebarView::setAppsWithErrors(const QSet<QUuid>& apps)
{
    if (apps == m_appsWithErrors)
        return;
    m_appsWithErrors = apps;
    rebuildAppRows();
}

void SidebarView::rebuildAppRows()
{
    const QString pendingName = renameField() ? renameField()->text() : QString();
    const QSignalBlocker blocker(m_tree);
    qDeleteAll(m_appsSection->takeChildren());
    m_projectsSection->removeChild(m_addProjectRow);
    qDeleteAll(m_projectsSection->takeChildren());
    QHash<QString, QTreeWidgetItem*> projects;
    for (const TargetApp* app : std::as_const(m_apps)) {
        QTreeWidgetItem* parent = m_appsSection;
        if (const auto& project = app->project()) {
            QTreeWidgetItem*& folder = projects[*project];
            if (!folder) {
                folder = new QTreeWidgetItem(m_projectsSection, {QFileInfo(*project).fileName()});
                folder->setFlags(Qt::ItemIsEnabled);
                folder->setIcon(0, tintedSymbolIcon(u"folder"_s, SymbolColors::file));
                folder->setToolTip(0, *project);
                folder->setData(0, folderPathRole, abbreviatingHomeFolder(*project, m_homeFolder));
            }
            parent = folder;
        }
        auto* row = new QTreeWidgetItem(parent, {app->name()});
        row->setData(0, selectionRole, toVariant(SidebarSelection::app(app->id())));
        row->setData(0, folderPathRole, app->folderPath());
        const bool hasErrors = m_appsWithErrors.contains(app->id());
        row->setIcon(0, hasErrors ? tintedSymbolIcon(u"exclamationmark.triangle"_s, SymbolColors::bad)
                                  : tintedSymbolIcon(app->systemImageName(), SymbolColors::file));
        row->setToolTip(0, hasErrors
                               ? app->folderPath() + u"\n"_s + tr("The assistant does not see every skill.")
                               : app->folderPath());
        row->setSizeHint(0, QSize(0, 40));
        if (m_renamingAppID == app->id()) {
            auto* field = new QLineEdit(pendingName.isEmpty() ? app->name() : pendingName);
            field->setObjectName(u"renameField"_s);
            field->setPlaceholderText(tr("App name"));
            field->installEventFilter(this);
            connect(field, &QLineEdit::returnPressed, this,
                    [this, field, id = app->id()] { Q_EMIT renameCommitted(id, field->text()); });
            row->setData(0, renamingRole, true);
            m_tree->setItemWidget(row, 0, makeRenameRow(app->folderPath(), field));
        }
    }
    m_appsSection->setExpanded(true);
    m_projectsSection->addChild(m_addProjectRow);
    m_projectsSection->setExpanded(true);
    for (QTreeWidgetItem* folder : std::as_const(projects))
        folder->setExpanded(true);
    setSelection(m_selection);
}

std::optional<SidebarSelection> SidebarView::selection() const
{
    return m_selection;
}

QTreeWidgetItem* SidebarView::itemFor(const SidebarSelection& selection) const
{
    // Sections hold entries and apps; the projects' section holds a level of folders more.
    for (QTreeWidgetItemIterator item(m_tree); *item; ++item)
        if (fromVariant((*item)->data(0, selectionRole)) == selection)
            return *item;
    return nullptr;
}

void SidebarView::setSelection(const std::optional<SidebarSelection>& selection)
{
    const bool changed = selection != m_selection;
    m_selection = selection;
    {
        const QSignalBlocker blocker(m_tree);
        m_tree->clearSelection();
        if (QTreeWidgetItem* item = selection ? itemFor(*selection) : nullptr) {
            item->setSelected(true);
            m_tree->setCurrentItem(item);
        }
    }
    if (changed)
        Q_EMIT selectionChanged(m_selection);
}

void SidebarView::takeSelectionFromTree()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    const std::optional<SidebarSelection> selection =
        selected.isEmpty() ? std::nullopt : fromVariant(selected.constFirst()->data(0, selectionRole));
    if (selection == m_selection)
        return;
    m_selection = selection;
    Q_EMIT selectionChanged(m_selection);
}
