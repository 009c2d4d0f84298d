#include "appsupport/FixedRandom.h"

#include <cstdint>
#include <memory>

namespace zn::test {

RandomSource fixedRandom() {
    auto seed = std::make_shared<std::uint64_t>(20240611);
    return [seed] {
        *seed = *seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(*seed >> 11) / static_cast<double>(1ULL << 53);
    };
}

} // namespace zn::test
