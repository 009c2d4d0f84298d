#pragma once

#include "Models/Date.h"
#include "Platform/core/FileSystem.h"

#include <string>
#include <sys/types.h>

namespace zn {

// Shared temporary folders hold the live files of running programs and of other users. An entry there may
// go only when it belongs to `owner` and neither it nor anything inside it (hidden entries too: they go
// with it) changed in the day before `now`. A folder that cannot be seen whole may hide a fresh file.
bool hasRestedForADay(const FileSystem& files, const std::string& path, uid_t owner, Date now);

} // namespace zn
