#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zn {

// How far a property list may reach before it is turned away unread.
struct PropertyListLimits {
    // Levels of values, the top one included.
    std::size_t nesting = 256;
    // Values (dictionary keys among them) with shared objects expanded at each use. The parser's time
    // grows faster than their number (an XML dictionary's keys most), so this keeps a read well under a
    // second; an Info.plist holds a few thousand.
    std::size_t nodes = 100'000;
    // Bytes of strings (keys among them) and data, counted the same way: the parser copies a binary list's
    // shared string at every use, so 400 KB of references to one 4 KB string would ask for 400 MB. A
    // UTF-16 string counts as the most its UTF-8 form can take. An Info.plist holds some kilobytes.
    std::size_t textBytes = 4 * 1024 * 1024;
    // References ("&amp;", "&#65;") in an XML string or key times the bytes of its text, summed over the
    // whole list: the parser moves the rest of a text back once for every reference it replaces, so a
    // string costs its references times its length, and the bound holds for one string and for all.
    // Timed on libplist 2.2 (bench_property_list_references, processor time): 200,000 references in a
    // 1 MB string took 1.3 s (30 s built with the address checker), 1,000 in a 4 MB string 0.07 s; at the
    // bound, 64 in a 4 MB string add 0.012 s (0.07 s with the checker) to the 0.016 s of reading 4 MB at
    // all. Real lists hold a few references in short texts; a string of up to 32 KB may hold nothing else.
    std::uint64_t referenceWork = std::uint64_t{1} << 28;
};

// Whether property-list bytes may be handed to the parser at all. The parser and the tree built from it
// recurse once per level and copy a binary list's shared objects at every use, so these shapes are turned
// away before either sees them: nesting deeper than the limit, counted through shared objects at each of
// their uses; more values than the limit, counted the same way; more bytes of strings and data than the
// limit, counted the same way; more reference work than the limit in an XML list; a binary list whose
// object graph cannot be followed (offsets or lengths out of range, a cycle); and a string or key holding
// U+0000 (a NUL byte anywhere in an XML document, which no XML document may hold): the parser aborts the
// process when asked for such a key, and has no other way to hand one back. Looks at the bytes without
// recursion. An XML document is judged by its tags, every element counted, and by all its character data,
// so odd markup can only make it look bigger.
bool isPropertyListShapeSafe(std::string_view bytes, PropertyListLimits limits = {});

} // namespace zn
