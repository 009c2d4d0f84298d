#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace zn::test {

// Exchanges two entries (a folder and a link to elsewhere, say) with RENAME_EXCHANGE over and over on a
// thread of its own for the life of the object, as anyone who may rename entries in a folder on the way
// can at any moment. It pauses now and then, so that acts that look twice fail far more often than not
// while those that look once still get through.
class EntrySwapper {
public:
    EntrySwapper(std::string first, std::string second);
    ~EntrySwapper();
    EntrySwapper(const EntrySwapper&) = delete;
    EntrySwapper& operator=(const EntrySwapper&) = delete;

private:
    std::string first_;
    std::string second_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

} // namespace zn::test
