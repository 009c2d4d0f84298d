#pragma once

#include "Platform/core/VolumeInfo.h"

namespace zn::test {

// Volume figures set by the test: a 500 GB volume with 120 GB free and no purgeable-space figure.
class FakeVolumeInfo final : public VolumeInfo {
public:
    FileSystemSize size{true, "", 500'000'000'000, 120'000'000'000};
    Capacities capacities_{true, "", std::nullopt, 120'000'000'000};

    FileSystemSize fileSystemSize(const std::string&) const override { return size; }
    Capacities capacities(const std::string&) const override { return capacities_; }
};

} // namespace zn::test
