#include "Platform/core/PeopleAccounts.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace zn {

namespace {

std::optional<uid_t> parsedUid(const std::string& text) {
    unsigned long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        value >= static_cast<unsigned long>(static_cast<uid_t>(-1)))
        return std::nullopt;
    return static_cast<uid_t>(value);
}

} // namespace

PersonUidRange PersonUidRange::fromLoginDefinitions(const std::string& loginDefinitions) {
    PersonUidRange range;
    std::ifstream file(loginDefinitions);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string key;
        std::string value;
        if (!(words >> key >> value) || key.starts_with('#'))
            continue;
        const auto uid = parsedUid(value);
        if (!uid)
            continue;
        if (key == "UID_MIN")
            range.first = *uid;
        else if (key == "UID_MAX")
            range.last = *uid;
    }
    if (range.first > range.last)
        return {};
    return range;
}

} // namespace zn
