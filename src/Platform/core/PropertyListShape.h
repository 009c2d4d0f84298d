#pragma once

#include <cstddef>
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
};

// Whether property-list bytes may be handed to the parser at all. The parser and the tree built from it
// recurse once per level and copy a binary list's shared objects at every use, so three shapes are turned
// away before either sees them: nesting deeper than the limit, counted through shared objects at each of
// their uses; more values than the limit, counted the same way; and a binary list whose object graph
// cannot be followed (offsets out of range, a cycle). Looks at the bytes without recursion. An XML
// document is judged by its tags, every element counted, so odd markup can only make it look bigger.
bool isPropertyListShapeSafe(std::string_view bytes, PropertyListLimits limits = {});

} // namespace zn
