#pragma once

#include "Models/CleanableItem.h"

#include <string>
#include <vector>

namespace zn::test {

// Reading a scan result in the shape the tests compare against.
std::vector<std::string> namesOf(const CategoryResult& result);
std::vector<std::string> pathsOf(const CategoryResult& result);
// The first item with this name, or null.
const CleanableItem* itemNamed(const CategoryResult& result, const std::string& name);

} // namespace zn::test
