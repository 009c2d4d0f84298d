#include "Platform/core/PropertyListShape.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace zn {

namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr std::size_t kTrailerSize = 32;

// The position just past `terminator`, searched from `from`; none when it never comes. Inside tags,
// declarations and processing instructions the parser takes a double-quoted text as a whole, whatever
// markup it holds: with `quoted`, a terminator inside one does not count.
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

// Tags are read the way the parser reads them: comments, processing instructions, character data and the
// document type are passed over; a tag ends at the next "<" or ">" outside double quotes, and an element
// is empty when "/" stands right before that ">". Character data counts whole, whitespace and character
// data sections included: references and base64 only shrink as the parser reads them.
bool xmlIsWithinLimits(std::string_view text, const PropertyListLimits& limits) {
    std::size_t depth = 0;
    std::size_t elements = 0;
    std::size_t textBytes = 0;
    std::size_t position = text.find('<');
    while (position != std::string_view::npos) {
        const std::string_view rest = text.substr(position);
        std::optional<std::size_t> next;
        if (rest.starts_with("<!--")) {
            next = skipPast(text, position + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            next = skipPast(text, position + 9, "]]>");
            textBytes += next.value_or(position) - position;
        } else if (rest.starts_with("<?")) {
            next = skipPast(text, position + 1, "?>", true);
        } else if (rest.starts_with("<!")) {
            const std::size_t stop = findOutsideQuotes(text, position, "[>");
            if (stop != std::string_view::npos)
                next = text[stop] == '[' ? skipPast(text, stop, "]>", true) : stop + 1;
        } else {
            const bool closing = rest.starts_with("</");
            const std::size_t stop = findOutsideQuotes(text, position + 1, "<>");
            const bool empty = stop != std::string_view::npos && text[stop] == '>' && text[stop - 1] == '/';
            if (closing)
                depth -= depth > 0 ? 1 : 0;
            else if (++elements > limits.nodes || (!empty && ++depth > limits.nesting))
                return false;
            if (stop != std::string_view::npos)
                next = text[stop] == '>' ? stop + 1 : stop;
        }
        if (!next)
            return true; // the rest is one unterminated piece of markup: nothing more can open
        position = text.find('<', *next);
        textBytes += std::min(position, text.size()) - *next;
        if (textBytes > limits.textBytes)
            return false;
    }
    return true;
}

std::uint64_t bigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct BinaryList {
    std::string_view bytes;
    std::size_t offsetSize = 0;
    std::size_t referenceSize = 0;
    std::uint64_t objectCount = 0;
    std::uint64_t topObject = 0;
    std::size_t tableOffset = 0; // objects lie before the offset table
};

std::optional<BinaryList> readTrailer(std::string_view bytes) {
    if (bytes.size() < kBinaryMagic.size() + kTrailerSize)
        return std::nullopt;
    const std::size_t trailer = bytes.size() - kTrailerSize;
    BinaryList list{bytes,
                    static_cast<unsigned char>(bytes[trailer + 6]),
                    static_cast<unsigned char>(bytes[trailer + 7]),
                    bigEndian(bytes, trailer + 8, 8),
                    bigEndian(bytes, trailer + 16, 8),
                    0};
    const std::uint64_t tableOffset = bigEndian(bytes, trailer + 24, 8);
    if (list.offsetSize < 1 || list.offsetSize > 8 || list.referenceSize < 1 || list.referenceSize > 8 ||
        tableOffset < kBinaryMagic.size() || tableOffset > trailer ||
        list.objectCount > (trailer - tableOffset) / list.offsetSize || list.topObject >= list.objectCount)
        return std::nullopt;
    list.tableOffset = static_cast<std::size_t>(tableOffset);
    return list;
}

// What an object brings at each use: the references it holds (where they start and how many) and the
// bytes of text or data the parser copies for it. A dictionary holds its keys, then its values; only an
// array, set or dictionary holds references, and only data and strings bring bytes.
struct ObjectShape {
    std::size_t first = 0;
    std::uint64_t count = 0;
    std::uint64_t textBytes = 0;
};

std::optional<ObjectShape> shapeOf(const BinaryList& list, std::uint64_t object) {
    const std::uint64_t offset = bigEndian(
        list.bytes, list.tableOffset + static_cast<std::size_t>(object) * list.offsetSize, list.offsetSize);
    if (offset < kBinaryMagic.size() || offset >= list.tableOffset)
        return std::nullopt;
    std::size_t position = static_cast<std::size_t>(offset);
    const auto marker = static_cast<unsigned char>(list.bytes[position++]);
    const unsigned kind = marker >> 4;
    const bool holdsReferences = kind == 0xA || kind == 0xC || kind == 0xD;
    const bool holdsBytes = kind == 0x4 || kind == 0x5 || kind == 0x6;
    if (!holdsReferences && !holdsBytes)
        return ObjectShape{};
    std::uint64_t count = marker & 0xF;
    if (count == 0xF) { // the count follows as an integer object
        if (position >= list.tableOffset)
            return std::nullopt;
        const auto countMarker = static_cast<unsigned char>(list.bytes[position++]);
        const std::size_t width = std::size_t{1} << (countMarker & 0xF);
        if ((countMarker >> 4) != 0x1 || width > 8 || width > list.tableOffset - position)
            return std::nullopt;
        count = bigEndian(list.bytes, position, width);
        position += width;
    }
    const std::uint64_t available = list.tableOffset - position;
    if (holdsBytes) {
        // A UTF-16 string takes two bytes a unit here, and up to three a unit once converted to UTF-8.
        const bool utf16 = kind == 0x6;
        if (count > (utf16 ? available / 2 : available))
            return std::nullopt;
        return ObjectShape{position, 0, utf16 ? count * 3 : count};
    }
    const std::uint64_t references = available / list.referenceSize;
    if (count > references || (kind == 0xD && count > references / 2))
        return std::nullopt;
    return ObjectShape{position, kind == 0xD ? count * 2 : count, 0};
}

// Depth first without recursion; each object's height and expanded size are worked out once, and a
// shared object met again counts with all of them at that use.
bool binaryIsWithinLimits(std::string_view bytes, const PropertyListLimits& limits) {
    const auto list = readTrailer(bytes);
    // Writers store only objects the top one reaches, so more objects than values is no honest list.
    if (!list || list->objectCount > limits.nodes)
        return false;
    // All three fit the compact record below: nothing is kept once one is passed.
    const std::size_t maxNesting = std::min<std::size_t>(limits.nesting, 0xFFFE);
    const std::uint64_t expansionLimit = std::min<std::uint64_t>(limits.nodes, 0xFFFFFFFE);
    const std::uint64_t textLimit = std::min<std::uint64_t>(limits.textBytes, 0xFFFFFFFE);
    enum class State : std::uint8_t { unseen, open, done };
    struct Known {
        std::uint32_t expanded = 0;
        std::uint32_t textBytes = 0;
        std::uint16_t height = 0;
        State state = State::unseen;
    };
    std::vector<Known> known(static_cast<std::size_t>(list->objectCount));
    struct Frame {
        std::uint64_t object;
        ObjectShape shape;
        std::uint64_t next = 0;
        std::uint16_t tallestChild = 0;
        std::uint64_t expanded = 1;
        std::uint64_t textBytes = 0;
    };
    std::vector<Frame> path;
    auto open = [&](std::uint64_t object) {
        const auto shape = shapeOf(*list, object);
        if (!shape || shape->textBytes > textLimit)
            return false;
        known[object].state = State::open;
        path.push_back({object, *shape, 0, 0, 1, shape->textBytes});
        return path.size() <= maxNesting;
    };
    // Adds a finished child to the object that holds it.
    auto account = [&](Frame& holder, const Known& child) {
        holder.tallestChild = std::max(holder.tallestChild, child.height);
        holder.expanded += child.expanded;
        holder.textBytes += child.textBytes;
        return holder.expanded <= expansionLimit && holder.textBytes <= textLimit;
    };

    if (!open(list->topObject))
        return false;
    while (!path.empty()) {
        Frame& frame = path.back();
        if (frame.next == frame.shape.count) {
            const Known done{static_cast<std::uint32_t>(frame.expanded),
                             static_cast<std::uint32_t>(frame.textBytes),
                             static_cast<std::uint16_t>(frame.tallestChild + 1), State::done};
            known[frame.object] = done;
            path.pop_back();
            if (!path.empty() && !account(path.back(), done))
                return false;
            continue;
        }
        const std::uint64_t child =
            bigEndian(bytes, frame.shape.first + static_cast<std::size_t>(frame.next++) * list->referenceSize,
                      list->referenceSize);
        if (child >= list->objectCount || known[child].state == State::open)
            return false; // out of range, or a cycle
        if (known[child].state == State::done) {
            // Its levels hang below this use as they did below the first one.
            if (path.size() + known[child].height > maxNesting || !account(frame, known[child]))
                return false;
        } else if (!open(child)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool isPropertyListShapeSafe(std::string_view bytes, PropertyListLimits limits) {
    if (bytes.starts_with(kBinaryMagic))
        return binaryIsWithinLimits(bytes, limits);
    return xmlIsWithinLimits(bytes, limits);
}

} // namespace zn
