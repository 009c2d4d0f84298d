#include "Platform/core/XmlMarkup.h"

#include <optional>

namespace zn {

namespace {

// The position just past `terminator`, searched from `from`; none when it never comes. With `quoted`, a
// terminator inside double quotes does not count.
std::optional<std::size_t> skipPast(std::string_view text, std::size_t from, std::string_view terminator,
                                    bool quoted = false) {
    bool inQuotes = false;
    for (std::size_t at = from; at < text.size(); ++at) {
        if (quoted && text[at] == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && text.substr(at).starts_with(terminator))
            return at + terminator.size();
    }
    return std::nullopt;
}

// The first of `characters` from `from` outside double quotes; npos when none comes.
std::size_t findOutsideQuotes(std::string_view text, std::size_t from, std::string_view characters) {
    bool inQuotes = false;
    for (std::size_t at = from; at < text.size(); ++at) {
        if (text[at] == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && characters.find(text[at]) != std::string_view::npos)
            return at;
    }
    return std::string_view::npos;
}

} // namespace

bool forEachXmlPiece(std::string_view document, const std::function<bool(const XmlPiece&)>& visit) {
    using Kind = XmlPiece::Kind;
    std::size_t position = 0;
    while (true) {
        const std::size_t markup = document.find('<', position);
        const std::size_t textEnd = markup == std::string_view::npos ? document.size() : markup;
        if (textEnd > position &&
            !visit({Kind::characterData, document.substr(position, textEnd - position)}))
            return false;
        if (markup == std::string_view::npos)
            return true;
        const std::string_view rest = document.substr(markup);
        XmlPiece piece{Kind::other, {}};
        std::optional<std::size_t> next;
        if (rest.starts_with("<!--")) {
            next = skipPast(document, markup + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            piece.kind = Kind::characterDataSection;
            next = skipPast(document, markup + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            next = skipPast(document, markup + 1, "?>", true);
        } else if (rest.starts_with("<!")) {
            const std::size_t stop = findOutsideQuotes(document, markup, "[>");
            if (stop != std::string_view::npos)
                next = document[stop] == '[' ? skipPast(document, stop, "]>", true) : stop + 1;
        } else {
            piece.kind = rest.starts_with("</") ? Kind::endTag : Kind::startTag;
            const std::size_t stop = findOutsideQuotes(document, markup + 1, "<>");
            if (stop != std::string_view::npos)
                next = document[stop] == '>' ? stop + 1 : stop;
            piece.empty = piece.kind == Kind::startTag && stop != std::string_view::npos &&
                          document[stop] == '>' && document[stop - 1] == '/';
        }
        piece.text = document.substr(markup, next.value_or(document.size()) - markup);
        if (!visit(piece))
            return false;
        if (!next)
            return true; // the rest was that one unterminated piece
        position = *next;
    }
}

std::string_view xmlElementName(const XmlPiece& startTag) {
    const std::string_view name = startTag.text.substr(1);
    return name.substr(0, name.find_first_of(" \r\n\t<>"));
}

} // namespace zn
