#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zn {

// Resolves every symbolic link in an absolute path, component by component, and standardises the
// result ("." and empty components removed, ".." applied to the resolved parent, no trailing "/").
// Components that do not exist are kept as text. A relative path, or a chain of more than 40 links, is
// returned standardised but unresolved; a component that cannot be looked at is kept as text. Good enough
// for comparing paths; anything that removes must use resolvedPathIfResolvable.
std::string resolvingSymlinksInPath(std::string_view path);

// The same resolution, for paths that are about to be judged and removed: only a missing component (ENOENT,
// ENOTDIR) is kept as text. A relative path, a chain of more than 40 links, a component that cannot be
// looked at for any other reason (no permission, a name too long, ...) or a link that cannot be read gives
// nothing, because the text that would be left need not name what it seems to.
std::optional<std::string> resolvedPathIfResolvable(std::string_view path);

} // namespace zn
