#include "Platform/core/PropertyList.h"

#include "Platform/core/PropertyListIntegers.h"
#include "Platform/core/PropertyListShape.h"
#include "Platform/core/RegularFile.h"

#include <cstdlib>
#include <limits>

#include <plist/plist.h>

namespace zn {

namespace {

// libplist keeps negative integers as their two's complement in an unsigned value; only its own text form
// tells a negative number from one above the signed range.
bool isNegativeInteger(plist_t node) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_t copy = plist_copy(node);
    plist_to_xml(copy, &xml, &length);
    plist_free(copy);
    bool negative = false;
    if (xml) {
        std::string_view text(xml, length);
        auto open = text.find("<integer>");
        negative = open != std::string_view::npos && open + 9 < text.size() && text[open + 9] == '-';
        plist_to_xml_free(xml);
    }
    return negative;
}

PlistValue convert(plist_t node) {
    PlistValue result;
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        result.value = flag != 0;
        break;
    }
    case PLIST_UINT: {
        uint64_t raw = 0;
        plist_get_uint_val(node, &raw);
        if (raw <= static_cast<uint64_t>(std::numeric_limits<std::int64_t>::max()))
            result.value = static_cast<std::int64_t>(raw);
        else if (isNegativeInteger(node))
            result.value = static_cast<std::int64_t>(raw);
        else
            result.value = PlistValue::OutOfRangeInteger{};
        break;
    }
    case PLIST_REAL: {
        double real = 0;
        plist_get_real_val(node, &real);
        result.value = real;
        break;
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        // Taken with its length, never as a C string: libplist aborts when the two lengths differ.
        std::uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        result.value = text ? std::string(text, static_cast<std::size_t>(length)) : std::string();
        break;
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        result.value = PlistValue::Data(bytes, bytes + length);
        std::free(bytes);
        break;
    }
    case PLIST_DATE: {
        int32_t seconds = 0, micros = 0;
        plist_get_date_val(node, &seconds, &micros);
        result.value = static_cast<double>(seconds) + micros / 1e6;
        break;
    }
    case PLIST_ARRAY: {
        // Through the iterator: a parsed array finds an item by index by walking from its first one.
        PlistValue::Array array;
        array.reserve(plist_array_get_size(node));
        plist_array_iter iterator = nullptr;
        plist_array_new_iter(node, &iterator);
        while (iterator) {
            plist_t item = nullptr;
            plist_array_next_item(node, iterator, &item);
            if (!item)
                break;
            array.push_back(convert(item));
        }
        std::free(iterator);
        result.value = std::move(array);
        break;
    }
    case PLIST_DICT: {
        PlistValue::Dictionary dictionary;
        plist_dict_iter iterator = nullptr;
        plist_dict_new_iter(node, &iterator);
        // libplist hands a key back only as a C string, and aborts when the key holds a NUL; the shape
        // check has refused every list where one does.
        while (iterator) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iterator, &key, &item);
            if (!item) {
                std::free(key);
                break;
            }
            dictionary.emplace(key ? key : "", convert(item));
            std::free(key);
        }
        std::free(iterator);
        result.value = std::move(dictionary);
        break;
    }
    default:
        break;
    }
    return result;
}

} // namespace

const PlistValue* PlistValue::find(std::string_view key) const {
    const Dictionary* entries = dictionary();
    if (!entries)
        return nullptr;
    auto found = entries->find(std::string(key));
    return found == entries->end() ? nullptr : &found->second;
}

std::optional<std::string> PlistValue::stringForKey(std::string_view key) const {
    const PlistValue* value = find(key);
    if (!value || !value->string())
        return std::nullopt;
    return *value->string();
}

std::optional<PlistValue> parsePropertyList(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    std::string prepared(bytes);
    markIntegersPastSixtyFourBits(prepared);
    // The conversion below recurses once per level and visits every value.
    if (!isPropertyListShapeSafe(prepared))
        return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(prepared.data(), static_cast<uint32_t>(prepared.size()), &root);
    if (!root)
        return std::nullopt;
    PlistValue value = convert(root);
    plist_free(root);
    return value;
}

std::optional<PlistValue> readPropertyListFile(const std::string& path) {
    // Only a regular file: an Info.plist that is a named pipe would wait for a writer for good.
    auto bytes = readRegularFile(path, kMetadataFileLimit);
    if (!bytes)
        return std::nullopt;
    return parsePropertyList(*bytes);
}

} // namespace zn
