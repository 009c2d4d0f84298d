#pragma once

#include <QWidget>

#include <string>

namespace zn {

class AnimatedValue;
class TextLabel;

// The permission sheet's header: a lock on a tinted disc, the prompt's title and what to do; once access
// is there, a check on a green disc and "Access allowed. Trying again…".
class PermissionSheetHeader : public QWidget {
    Q_OBJECT

public:
    static constexpr double kDiscSide = 40;

    explicit PermissionSheetHeader(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setGranted(bool granted);
    // 0..1 of the sheet's entrance: the header slides down 6 points into place.
    void setAppearance(double appeared);

    std::string symbol() const;
    QColor tint() const;
    QString title() const;
    QString subtitle() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateMargins();

    TextLabel* title_;
    TextLabel* subtitle_;
    bool granted_ = false;
    double appeared_ = 1;
    // The symbol's change from lock to check, 0..1, drawn as a replacement.
    AnimatedValue* replace_;
};

} // namespace zn
