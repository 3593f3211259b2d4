#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

// A list's "Löschen": the Delete key while the list has the focus, and the entry of its
// context menu. It acts on the selection; the context menu selects the clicked row first.
QAction* addDeleteAction(QWidget& view, const QString& objectName, std::function<void()> deleteSelection);
