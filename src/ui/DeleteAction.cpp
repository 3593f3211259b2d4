#include "ui/DeleteAction.h"

#include "ui/SymbolIcons.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

struct DeleteAction
{
    Q_DECLARE_TR_FUNCTIONS(DeleteAction)
};

} // namespace

QAction* addDeleteAction(QWidget& view, const QString& objectName, std::function<void()> deleteSelection)
{
    auto* action = new QAction(symbolIcon(u"trash"_s), DeleteAction::tr("Delete"), &view);
    action->setObjectName(objectName);
    action->setShortcut(QKeySequence::Delete);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view.addAction(action);
    QObject::connect(action, &QAction::triggered, &view, std::move(deleteSelection));
    return action;
}
