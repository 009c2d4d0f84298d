#include "Platform/core/PeopleAccounts.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace zn {

namespace {

// A number as strtoul reads it with base 0, which is how the shadow tools read login.defs.
std::optional<uid_t> parsedUid(const std::string& text) {
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || value >= static_cast<unsigned long long>(static_cast<uid_t>(-1)))
        return std::nullopt;
    return static_cast<uid_t>(value);
}

} // namespace

People People::fromLoginDefinitions(const std::string& loginDefinitions) {
    People people;
    std::ifstream file(loginDefinitions);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string key;
        std::string value;
        if (!(words >> key >> value) || key != "UID_MIN")
            continue;
        if (const auto uid = parsedUid(value))
            people.firstPersonUid = *uid;
    }
    return people;
}

} // namespace zn
