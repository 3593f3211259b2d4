#pragma once

class QAction;
class QLineEdit;
class QWidget;

// Keyboard shortcuts that several views have, each live only while its view is shown.
namespace Shortcuts {

// Ctrl+F puts the cursor into the view's search field, its text selected.
void addFindAction(QWidget& view, QLineEdit& searchField);
// F5 triggers the view's refresh action.
void giveRefreshKey(QAction& refresh);

} // namespace Shortcuts
