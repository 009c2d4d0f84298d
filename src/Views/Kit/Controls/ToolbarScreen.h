#pragma once

class QWidget;

namespace zn {

// A detail screen with toolbar items. The main window shows the current screen's items in its toolbar row,
// beside the screen's title and before its search field, where the design's platform puts a view's toolbar
// items; the screen owns them and deletes them.
class ToolbarScreen {
public:
    virtual ~ToolbarScreen() = default;
    virtual QWidget& toolbarItems() = 0;
};

} // namespace zn
