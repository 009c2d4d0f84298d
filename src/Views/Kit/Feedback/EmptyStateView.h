#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>


namespace zn {

class BorderedButton;

// The centred placeholder a screen shows when there is nothing to list: a large symbol, a title, one
// explanatory line and, when both an action and its label are given, one prominent button.
class EmptyStateView : public QWidget {
    Q_OBJECT

public:
    EmptyStateView(QString title, std::string systemImage, QString description,
                   std::function<void()> action = {}, std::optional<QString> actionLabel = std::nullopt,
                   bool usesNexalActionIcon = false, QWidget* parent = nullptr);

    const QString& title() const { return title_; }
    // The action button; none unless both the action and its label were given.
    BorderedButton* actionButton() const { return button_; }

private:
    QString title_;
    BorderedButton* button_ = nullptr;
};

} // namespace zn
