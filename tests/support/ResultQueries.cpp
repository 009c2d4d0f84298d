#include "support/ResultQueries.h"

namespace zn::test {

std::vector<std::string> namesOf(const CategoryResult& result) {
    std::vector<std::string> names;
    for (const auto& item : result.items)
        names.push_back(item.name);
    return names;
}

std::vector<std::string> pathsOf(const CategoryResult& result) {
    std::vector<std::string> paths;
    for (const auto& item : result.items)
        paths.push_back(item.path);
    return paths;
}

const CleanableItem* itemNamed(const CategoryResult& result, const std::string& name) {
    for (const auto& item : result.items)
        if (item.name == name)
            return &item;
    return nullptr;
}

} // namespace zn::test
