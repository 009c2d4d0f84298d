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

// True when `path` is absolute and standardised and the folder that holds its last component is where
// the text says, no symbolic link on the way (the last component may itself be a link, or missing). Such
// a path names the entry itself: removing it can reach nothing but that entry, or the link as a link. A
// folder that cannot be looked at counts as leading elsewhere.
bool isReachedWithoutLinks(std::string_view path);

// True when `path` is reached without links and its entry is not a symbolic link either: the path names
// the entry itself, so nothing that acts on it, following links or not, can reach anything else. An entry
// that cannot be looked at (its folder is closed to the caller) counts as no link.
bool namesEntryWithoutLinks(std::string_view path);

} // namespace zn
