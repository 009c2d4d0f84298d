#include "Platform/core/PropertyListShape.h"

#include "Platform/core/BinaryPropertyListLayout.h"
#include "Platform/core/XmlMarkup.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace zn {

namespace {

// Levels are counted as the parser builds them: every element is a value one level below the open ones,
// an empty one too, and when the first value (the first element not named "plist") is empty, the parser
// hangs every later top-level value under it. A "plist" element counts as a level as well, so odd markup
// can only look deeper. Character data counts whole, whitespace and character data sections included:
// references and base64 only shrink as the parser reads them. Any "&" in character data counts as a
// reference.
class XmlTally {
public:
    explicit XmlTally(const PropertyListLimits& limits) : limits_(limits) {}

    // Whether the document is still within the limits with `piece`.
    bool take(const XmlPiece& piece) {
        switch (piece.kind) {
        case XmlPiece::Kind::characterData:
            references_ += std::count(piece.text.begin(), piece.text.end(), '&');
            [[fallthrough]];
        case XmlPiece::Kind::characterDataSection:
            valueBytes_ += piece.text.size();
            textBytes_ += piece.text.size();
            return textBytes_ <= limits_.textBytes;
        case XmlPiece::Kind::startTag:
            return endOfValueText() && opens(piece);
        case XmlPiece::Kind::endTag:
            depth_ -= depth_ > 0 ? 1 : 0;
            return endOfValueText();
        case XmlPiece::Kind::other:
            return true;
        }
        return true;
    }

    // The text since the last tag is one string's or key's.
    bool endOfValueText() {
        referenceWork_ += references_ * valueBytes_;
        references_ = valueBytes_ = 0;
        return referenceWork_ <= limits_.referenceWork;
    }

private:
    bool opens(const XmlPiece& startTag) {
        const std::size_t level = depth_ + 1 + (firstValueHoldsTheRest_ ? 1 : 0);
        if (++elements_ > limits_.nodes || level > limits_.nesting)
            return false;
        if (!startTag.empty)
            ++depth_;
        if (!firstValueSeen_ && xmlElementName(startTag) != "plist") {
            firstValueSeen_ = true;
            firstValueHoldsTheRest_ = startTag.empty;
        }
        return true;
    }

    const PropertyListLimits& limits_;
    std::size_t depth_ = 0;
    std::size_t elements_ = 0;
    std::size_t textBytes_ = 0;
    bool firstValueSeen_ = false;
    bool firstValueHoldsTheRest_ = false;
    std::uint64_t references_ = 0;
    std::uint64_t valueBytes_ = 0;
    std::uint64_t referenceWork_ = 0;
};

bool xmlIsWithinLimits(std::string_view text, const PropertyListLimits& limits) {
    if (text.find('\0') != std::string_view::npos)
        return false;
    XmlTally tally(limits);
    return forEachXmlPiece(text, [&](const XmlPiece& piece) { return tally.take(piece); }) &&
           tally.endOfValueText();
}

// What an object brings at each use: the references it holds (where they start and how many) and the
// bytes of text or data the parser copies for it. A dictionary holds its keys, then its values; only an
// array, set or dictionary holds references, and only data and strings bring bytes.
struct ObjectShape {
    std::size_t first = 0;
    std::uint64_t count = 0;
    std::uint64_t textBytes = 0;
};

// Whether an ASCII string (`unitWidth` 1) or a UTF-16 one (2) holds U+0000.
bool holdsNul(std::string_view characters, std::size_t unitWidth) {
    for (std::size_t at = 0; at < characters.size(); at += unitWidth)
        if (characters.substr(at, unitWidth).find_first_not_of('\0') == std::string_view::npos)
            return true;
    return false;
}

std::optional<ObjectShape> shapeOf(const BinaryPropertyListLayout& list, std::uint64_t object) {
    const auto offset = list.objectOffset(object);
    if (!offset)
        return std::nullopt;
    std::size_t position = *offset;
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
        const std::size_t unitWidth = utf16 ? 2 : 1;
        if (kind != 0x4 && holdsNul(list.bytes.substr(position, count * unitWidth), unitWidth))
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
    const auto list = BinaryPropertyListLayout::read(bytes);
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
    if (bytes.starts_with(BinaryPropertyListLayout::kMagic))
        return binaryIsWithinLimits(bytes, limits);
    return xmlIsWithinLimits(bytes, limits);
}

} // namespace zn
