#pragma once

#include "Services/ScanEngineOptions.h"
#include "support/FixtureTree.h"

namespace zn::test {

// Engine options whose every path outside the home folder lies under `tree`'s "system" folder, which
// mirrors the real layout ("system/Library/Caches", "system/usr/bin/tmutil", ...). Nothing there exists
// until a test creates it, so no test reads the machine's own /tmp or tools.
ScanEngineOptions fixtureEngineOptions(const FixtureTree& tree);

} // namespace zn::test
