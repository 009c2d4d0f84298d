#include "support/EntrySwapper.h"

#include <cstdio>
#include <fcntl.h>

namespace zn::test {

EntrySwapper::EntrySwapper(std::string first, std::string second)
    : first_(std::move(first)), second_(std::move(second)), thread_([this] {
          while (!done_)
              ::renameat2(AT_FDCWD, first_.c_str(), AT_FDCWD, second_.c_str(), RENAME_EXCHANGE);
      }) {}

EntrySwapper::~EntrySwapper() {
    done_ = true;
    thread_.join();
}

} // namespace zn::test
