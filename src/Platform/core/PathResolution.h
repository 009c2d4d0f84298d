#pragma once

#include <string>
#include <string_view>

namespace zn {

// Resolves every symbolic link in an absolute path, component by component, and standardises the
// result ("." and empty components removed, ".." applied to the resolved parent, no trailing "/").
// Components that do not exist are kept as text. A relative path, or a chain of
// more than 40 links, is returned standardised but unresolved.
std::string resolvingSymlinksInPath(std::string_view path);

} // namespace zn
