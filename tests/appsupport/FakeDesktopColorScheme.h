#pragma once

#include "Platform/qt/DesktopColorScheme.h"

namespace zn::test {

// A desktop whose scheme the test sets.
class FakeDesktopColorScheme final : public DesktopColorScheme {
public:
    ColorScheme current() const override { return scheme_; }
    void set(ColorScheme scheme) {
        scheme_ = scheme;
        emit changed();
    }

private:
    ColorScheme scheme_ = ColorScheme::light;
};

} // namespace zn::test
