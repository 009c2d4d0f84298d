#pragma once

namespace zn {

// True when the entry at `path`, not followed if it is a link, is where another mount is attached. A bind
// mount of a folder of the same file system keeps its device number, so only the system's mark tells it;
// false where the system cannot say.
bool isMountRoot(const char* path);

} // namespace zn
