#pragma once

#include <QWidget>

class QSpacerItem;

namespace zn {

class BreathingValue;

// The permission sheet's confirmation: a green seal that breathes on its disc, "Access allowed" and
// "Trying again now.".
class PermissionGrantedBody : public QWidget {
    Q_OBJECT

public:
    static constexpr double kBadgeSide = 72;

    explicit PermissionGrantedBody(const BreathingValue& pulse, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const BreathingValue& pulse_;
    QSpacerItem* badge_;
};

} // namespace zn
