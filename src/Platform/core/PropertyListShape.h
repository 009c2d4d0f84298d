#pragma once

#include <cstddef>
#include <string_view>

namespace zn {

// Whether property-list bytes may be handed to the parser at all. The parser and the tree built from it
// recurse once per level and copy a binary list's shared objects at every use, so three shapes are turned
// away before either sees them: containers nested more than `maxNesting` levels deep; a binary list whose
// shared objects would expand to more objects than the list has bytes (no honest list does: without
// sharing, every object but the top one costs at least one byte of reference); and a binary list whose
// object graph cannot be followed (offsets out of range, a cycle). Looks at the bytes without recursion.
// An XML document is judged by its tags, every element counted, so odd markup can only make it look deeper.
bool isPropertyListShapeSafe(std::string_view bytes, std::size_t maxNesting);

} // namespace zn
