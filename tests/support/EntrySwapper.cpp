#include "support/EntrySwapper.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>

namespace zn::test {

namespace {

// Bursts of swaps as fast as they go, each followed by a pause in whichever state the burst left: the
// bursts catch every gap between a check and the act, the pauses let acts succeed, so that a test can tell
// a refusal of everything from safety.
constexpr auto kBurst = std::chrono::microseconds(1500);
constexpr auto kPause = std::chrono::microseconds(700);

} // namespace

EntrySwapper::EntrySwapper(std::string first, std::string second)
    : first_(std::move(first)), second_(std::move(second)), thread_([this] {
          while (!done_) {
              const auto burstEnd = std::chrono::steady_clock::now() + kBurst;
              while (!done_ && std::chrono::steady_clock::now() < burstEnd)
                  ::renameat2(AT_FDCWD, first_.c_str(), AT_FDCWD, second_.c_str(), RENAME_EXCHANGE);
              std::this_thread::sleep_for(kPause);
          }
      }) {}

EntrySwapper::~EntrySwapper() {
    done_ = true;
    thread_.join();
}

} // namespace zn::test
