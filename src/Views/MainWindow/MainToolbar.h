#pragma once

#include "Views/Kit/Controls/SearchField.h"

#include <QPointer>
#include <QToolBar>

namespace zn {

class AppearancePill;
class TextLabel;
class ThemeManager;

// The main window's toolbar, fixed in place: the appearance switch at its leading edge, the title of the
// screen shown above that screen, and at the trailing end the screen's toolbar items and search field, when
// it has them.
class MainToolbar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int kHeight = 52;

    explicit MainToolbar(ThemeManager& theme, QWidget* parent = nullptr);

    AppearancePill& appearanceSwitch() const { return *appearance_; }
    const TextLabel& title() const { return *title_; }
    void setTitle(const QString& title);
    // The width of the part above the sidebar; the title starts after it.
    void setLeadingWidth(int width);
    // Shows the field at the trailing end (none hides the place). The screen keeps owning its field: it gets
    // the field back with `releaseSearchField`.
    void setSearchField(SearchField* field);
    SearchField* releaseSearchField();
    SearchField* searchField() const { return qobject_cast<SearchField*>(field_.data()); }
    // Shows the screen's toolbar items before the search field, in the same way.
    void setItems(QWidget* items);
    QWidget* releaseItems();
    QWidget* items() const { return items_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Puts `widget` alone into `slot`, or hides the slot for none.
    static void lend(QWidget& slot, QPointer<QWidget>& held, QWidget* widget);
    static QWidget* takeBack(QWidget& slot, QPointer<QWidget>& held);

    QWidget* leading_;
    AppearancePill* appearance_;
    TextLabel* title_;
    QWidget* itemsSlot_;
    QPointer<QWidget> items_;
    QWidget* searchSlot_;
    QPointer<QWidget> field_;
};

} // namespace zn
