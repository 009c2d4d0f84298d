// Times libplist's XML reader on strings full of references ("&amp;"), which it replaces by moving the
// rest of the string back once for each: the processor time of one read against the references times the
// string's length, and whether the shape check lets such a list through. The figures behind the bound on
// that product (PropertyListLimits::referenceWork).
//
//   bench_property_list_references

#include "Platform/core/PropertyListShape.h"

#include <cstdint>
#include <cstdio>
#include <plist/plist.h>
#include <string>
#include <time.h>

namespace {

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Seconds of this thread's processor time for one read, which other work on the machine does not inflate.
double secondsToRead(const std::string& list) {
    const double started = threadSeconds();
    plist_t root = nullptr;
    plist_from_memory(list.data(), static_cast<uint32_t>(list.size()), &root);
    const double seconds = threadSeconds() - started;
    if (!root)
        std::fprintf(stderr, "the list did not parse\n");
    plist_free(root);
    return seconds;
}

} // namespace

int main() {
    struct Shape {
        std::size_t references;
        std::size_t padding; // plain bytes after them in the same string
    };
    std::printf("%12s %12s %14s %10s %s\n", "references", "string bytes", "product", "seconds",
                "shape check");
    for (const Shape shape :
         {Shape{0, 4'000'000}, Shape{64, 4'000'000}, Shape{256, 4'000'000}, Shape{1'000, 4'000'000},
          Shape{10'000, 400'000}, Shape{50'000, 0}, Shape{200'000, 0}}) {
        std::string text;
        for (std::size_t i = 0; i < shape.references; ++i)
            text += "&amp;";
        text.append(shape.padding, 'x');
        const std::string list =
            "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>" + text + "</string></plist>";
        const auto product = static_cast<std::uint64_t>(shape.references) * text.size();
        std::printf("%12zu %12zu %14llu %10.3f %s\n", shape.references, text.size(),
                    static_cast<unsigned long long>(product), secondsToRead(list),
                    zn::isPropertyListShapeSafe(list) ? "passes" : "refused");
    }
    return 0;
}
