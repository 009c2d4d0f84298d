#pragma once

#include "Models/CleaningCategory.h"

#include <cstddef>
#include <functional>
#include <optional>

namespace zn {

// The main window's sidebar choice: a cleaning category, the installed applications or the leftovers
// of removed applications.
class AppSection {
public:
    enum class Kind { cleaning, apps, orphans };

    static AppSection cleaning(CleaningCategory category) { return {Kind::cleaning, category}; }
    static AppSection apps() { return {Kind::apps, std::nullopt}; }
    static AppSection orphans() { return {Kind::orphans, std::nullopt}; }

    Kind kind() const { return kind_; }
    // The category of a `cleaning` section; none for the other two.
    std::optional<CleaningCategory> category() const { return category_; }

    bool operator==(const AppSection&) const = default;

private:
    AppSection(Kind kind, std::optional<CleaningCategory> category) : kind_(kind), category_(category) {}

    Kind kind_;
    std::optional<CleaningCategory> category_;
};

} // namespace zn

template <> struct std::hash<zn::AppSection> {
    std::size_t operator()(const zn::AppSection& section) const noexcept {
        std::size_t category = section.category() ? static_cast<std::size_t>(*section.category()) + 1 : 0;
        return static_cast<std::size_t>(section.kind()) * 31 + category;
    }
};
