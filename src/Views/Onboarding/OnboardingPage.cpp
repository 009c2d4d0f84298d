#include "Views/Onboarding/OnboardingPage.h"

#include "Views/Kit/Theme/SchemeColors.h"

#include <algorithm>

namespace zn {

OnboardingPage offsetPage(OnboardingPage page, int by) {
    const long target = static_cast<long>(page) + by;
    return static_cast<OnboardingPage>(
        std::clamp(target, 0L, static_cast<long>(kOnboardingPages.size()) - 1));
}

QColor pageTint(OnboardingPage page, ColorScheme scheme) {
    switch (page) {
    case OnboardingPage::welcome:
        return schemeAccent(scheme);
    case OnboardingPage::mission:
        return qColor(byScheme(scheme, Tint::darkBlue, Tint::blue));
    case OnboardingPage::permission:
        return qColor(byScheme(scheme, Tint::darkGold, Tint::orange));
    case OnboardingPage::ready:
        return qColor(Tint::green);
    }
    return qColor(Tint::green);
}

} // namespace zn
