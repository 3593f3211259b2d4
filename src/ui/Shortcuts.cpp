#include "ui/Shortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace Shortcuts {

namespace {

struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Shortcuts)
};

} // namespace

void addFindAction(QWidget& view, QLineEdit& searchField)
{
    auto* find = new QAction(Texts::tr("Search"), &view);
    find->setObjectName(view.objectName() + u"FindAction"_s);
    find->setShortcut(QKeySequence::Find);
    // A hidden view's shortcuts do not fire, so the shown section's field is the one.
    find->setShortcutContext(Qt::WindowShortcut);
    view.addAction(find);
    QObject::connect(find, &QAction::triggered, &searchField, [&searchField] {
        searchField.setFocus(Qt::ShortcutFocusReason);
        searchField.selectAll();
    });
}

void giveRefreshKey(QAction& refresh)
{
    refresh.setShortcut(QKeySequence::Refresh);
    refresh.setShortcutContext(Qt::WindowShortcut);
}

} // namespace Shortcuts
