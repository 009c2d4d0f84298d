#pragma once

#include "Logic/Removal/CleaningRoots.h"
#include "Services/ScanEngineOptions.h"
#include "support/FixtureTree.h"

namespace zn::test {

// Engine options whose every path outside the home folder lies under `tree`'s "system" folder, which
// mirrors the real layout ("system/Library/Caches", "system/usr/bin/tmutil", ...). Nothing there exists
// until a test creates it, so no test reads the machine's own /tmp or tools.
ScanEngineOptions fixtureEngineOptions(const FixtureTree& tree);

// The cleaning rules' system folders moved the same way ("system/tmp", "system/private/var/log", ...), so
// that what is outside the fixture's home is outside every allowed root, wherever the fixture lies.
SystemCleaningFolders fixtureCleaningFolders(const FixtureTree& tree);

} // namespace zn::test
