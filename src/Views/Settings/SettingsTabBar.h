#pragma once

#include <QTabBar>

#include <string>

namespace zn {

// The settings window's tabs as the design's platform shows them: an icon above a short label, the chosen
// tab on a soft rounded highlight in the scheme accent.
class SettingsTabBar : public QTabBar {
    Q_OBJECT

public:
    static constexpr QSize kTabSize{76, 64};

    explicit SettingsTabBar(QWidget* parent = nullptr);

    // The tab's icon: a symbol name, or the product mark when `symbol` is empty.
    void setTabSymbol(int index, const std::string& symbol);
    std::string tabSymbol(int index) const;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zn
