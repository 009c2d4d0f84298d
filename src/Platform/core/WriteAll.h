#pragma once

#include <string_view>

namespace zn {

// Writes every byte to the descriptor, retrying short and interrupted writes; false on any failure.
bool writeAll(int fd, std::string_view bytes);

} // namespace zn
