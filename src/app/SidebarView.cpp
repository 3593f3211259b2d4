#include "app/SidebarView.h"

#include "model/TargetApp.h"
#include "ui/SymbolIcons.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int selectionRole = Qt::UserRole;

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

// Symbol in the accent colour, the name (or the rename field), and the folder path as a caption line.
QWidget* makeAppRow(const TargetApp& app, QLineEdit* renameField)
{
    auto* row = new QWidget;
    auto* symbol = new QLabel(row);
    symbol->setPixmap(tintedSymbolIcon(app.systemImageName(), SymbolColors::file).pixmap(20, 20));
    QWidget* name = renameField;
    if (!name) {
        auto* label = new QLabel(app.name(), row);
        label->setObjectName(u"appName"_s);
        label->setTextFormat(Qt::PlainText);
        name = label;
    }
    name->setFont(headlineFont(name->font()));
    auto* path = new QLabel(app.folderPath(), row);
    path->setTextFormat(Qt::PlainText);
    QFont captionFont = path->font();
    captionFont.setPointSizeF(captionFont.pointSizeF() * 0.85);
    path->setFont(captionFont);
    path->setForegroundRole(QPalette::PlaceholderText);
    path->setObjectName(u"appFolderPath"_s);
    path->setToolTip(app.folderPath());

    auto* lines = new QVBoxLayout;
    lines->setSpacing(0);
    lines->addWidget(name);
    lines->addWidget(path);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(symbol, 0, Qt::AlignVCenter);
    layout->addLayout(lines, 1);
    if (!renameField)
        row->setAttribute(Qt::WA_TransparentForMouseEvents);
    return row;
}

} // namespace

SidebarView::SidebarView(QWidget* parent)
    : QWidget(parent)
    , m_tree(new QTreeWidget(this))
    , m_revealAction(
          makeAppAction(u"revealAppAction"_s, tr("Im Finder anzeigen"), &SidebarView::revealRequested))
    , m_renameAction(makeAppAction(u"renameAppAction"_s, tr("Umbenennen"), &SidebarView::renameRequested))
    , m_renewAccessAction(
          makeAppAction(u"renewAccessAction"_s, tr("Zugriff erneuern"), &SidebarView::renewAccessRequested))
{
    auto* title = new QLabel(tr("Übersicht"), this);
    QFont titleFont = headlineFont(title->font());
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title->setFont(titleFont);
    title->setObjectName(u"sidebarTitle"_s);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(m_tree);

    m_tree->setObjectName(u"sidebar"_s);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setItemsExpandable(false);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setIconSize(QSize(20, 20));

    addEntry(addSection(tr("Entdecken")), tr("Skills finden"), u"globe"_s, SidebarSelection::discoverStore());
    addEntry(addSection(tr("Deine Umgebung")), tr("Zentraler Hub"), u"server.rack"_s,
             SidebarSelection::centralHub());
    m_appsSection = addSection(tr("Apps"));
    m_tree->expandAll();

    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &SidebarView::takeSelectionFromTree);
    connect(m_tree, &QTreeWidget::customContextMenuRequested, this, &SidebarView::showContextMenu);
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

void SidebarView::setTargetApps(const QList<TargetApp*>& apps)
{
    m_apps = apps;
    rebuildAppRows();
}

void SidebarView::rebuildAppRows()
{
    const QString pendingName = renameField() ? renameField()->text() : QString();
    const QSignalBlocker blocker(m_tree);
    qDeleteAll(m_appsSection->takeChildren());
    for (const TargetApp* app : std::as_const(m_apps)) {
        auto* row = new QTreeWidgetItem(m_appsSection);
        row->setData(0, selectionRole, toVariant(SidebarSelection::app(app->id())));
        row->setData(0, Qt::AccessibleTextRole, app->name());
        row->setSizeHint(0, QSize(0, 40));
        QLineEdit* field = nullptr;
        if (m_renamingAppID == app->id()) {
            field = new QLineEdit(pendingName.isEmpty() ? app->name() : pendingName);
            field->setObjectName(u"renameField"_s);
            field->setPlaceholderText(tr("App-Name"));
            field->installEventFilter(this);
            connect(field, &QLineEdit::returnPressed, this,
                    [this, field, id = app->id()] { Q_EMIT renameCommitted(id, field->text()); });
        }
        m_tree->setItemWidget(row, 0, makeAppRow(*app, field));
    }
    m_appsSection->setExpanded(true);
    setSelection(m_selection);
}

std::optional<SidebarSelection> SidebarView::selection() const
{
    return m_selection;
}

QTreeWidgetItem* SidebarView::itemFor(const SidebarSelection& selection) const
{
    for (int s = 0; s < m_tree->topLevelItemCount(); ++s) {
        QTreeWidgetItem* section = m_tree->topLevelItem(s);
        for (int e = 0; e < section->childCount(); ++e) {
            if (fromVariant(section->child(e)->data(0, selectionRole)) == selection)
                return section->child(e);
        }
    }
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
