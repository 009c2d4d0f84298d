#include "Platform/core/FreedMemory.h"

#include <cstdlib> // defines __GLIBC__ where it applies

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace zn {

void returnFreedMemoryToSystem() {
#ifdef __GLIBC__
    ::malloc_trim(0);
#endif
}

} // namespace zn
