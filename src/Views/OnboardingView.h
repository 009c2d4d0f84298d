#pragma once

#include <QWidget>
#include <functional>

namespace zn {

// The first-run page: a greeting and "Start", which completes onboarding.
class OnboardingView : public QWidget {
    Q_OBJECT

public:
    explicit OnboardingView(std::function<void()> complete, QWidget* parent = nullptr);
};

} // namespace zn
