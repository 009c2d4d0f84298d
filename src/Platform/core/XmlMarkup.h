#pragma once

#include <functional>
#include <string_view>

namespace zn {

// One piece of an XML document, told apart the way the property-list parser tells them apart.
struct XmlPiece {
    enum class Kind {
        characterData,        // the text between two pieces of markup
        characterDataSection, // "<![CDATA[ ... ]]>"
        startTag,
        endTag,
        other, // a comment, a processing instruction or a declaration
    };
    Kind kind;
    // The piece as it stands in the document, markup included. The last one runs to the end of the
    // document when its markup is never closed.
    std::string_view text;
    // A start tag closed by "/>": the element holds nothing.
    bool empty = false;
};

// Calls `visit` with each piece of the document in order, until it returns false; false then. Inside
// tags, declarations and processing instructions the parser takes a double-quoted text as a whole,
// whatever markup it holds; a tag ends at the next "<" or ">" outside double quotes. Looks at the bytes
// without recursion.
bool forEachXmlPiece(std::string_view document, const std::function<bool(const XmlPiece&)>& visit);

// A start tag's element name as the parser reads it: up to the first space, "<" or ">" (so an empty
// element's name may end in its "/").
std::string_view xmlElementName(const XmlPiece& startTag);

} // namespace zn
