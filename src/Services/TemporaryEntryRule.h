#pragma once

#include "Models/Date.h"
#include "Platform/core/FileSystem.h"

#include <string>
#include <sys/types.h>

namespace zn {

// Shared temporary folders hold the live files of running programs and of other users. An entry there may
// go only when it and everything inside it (hidden entries too: they go with it) belong to `owner`, none
// of it is a socket (a live program may be listening), and none of it changed in the day before `now`.
// A change counts by the later of the modification time, which unpacking or copying sets back, and the
// status-change time, which nobody can. A folder that cannot be seen whole may hide a fresh file.
bool hasRestedForADay(const FileSystem& files, const std::string& path, uid_t owner, Date now);

} // namespace zn
