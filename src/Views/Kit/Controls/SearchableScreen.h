#pragma once

namespace zn {

class SearchField;

// A detail screen with a search field. The main window shows the current screen's field at the trailing end
// of its toolbar, where the design's platform puts a searchable view's field; the screen owns the field and
// reads its text.
class SearchableScreen {
public:
    virtual ~SearchableScreen() = default;
    virtual SearchField& searchField() = 0;
};

} // namespace zn
