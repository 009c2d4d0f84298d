#pragma once

#include "Models/Tint.h"

#include <QColor>

#include <array>

namespace zn {

// The pages of the first-run flow, in the order they are shown.
enum class OnboardingPage { welcome = 0, mission = 1, permission = 2, ready = 3 };

inline constexpr std::array<OnboardingPage, 4> kOnboardingPages{
    OnboardingPage::welcome, OnboardingPage::mission, OnboardingPage::permission, OnboardingPage::ready};

// The page `by` pages away from `page`, held to the first and last page.
OnboardingPage offsetPage(OnboardingPage page, int by);
// The colour that washes the backdrop's corner on each page.
QColor pageTint(OnboardingPage page, ColorScheme scheme);

} // namespace zn
