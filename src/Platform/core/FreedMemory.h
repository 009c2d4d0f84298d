#pragma once

namespace zn {

// Gives the pages of freed heap memory back to the system. The allocator keeps what it freed for later,
// in one pool per thread that allocated it: a hundred thousand items made by scanning threads and freed
// after a rescan would otherwise stay counted to the process, and each rescan would add to them.
void returnFreedMemoryToSystem();

} // namespace zn
