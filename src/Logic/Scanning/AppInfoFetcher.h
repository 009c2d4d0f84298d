#pragma once

#include "Models/Uuid.h"

#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace zn {

// One installed application bundle. Identity is `id` alone, new on every load of the list.
struct InstalledApp {
    Uuid id;
    std::string appName;
    std::string bundleIdentifier; // the bundle's file name without extension when it declares none
    std::string path;             // the ".app" bundle; the screens resolve its icon from here
    std::int64_t size = 0;        // allocated bytes of the bundle's regular files

    bool operator==(const InstalledApp& other) const { return id == other.id; }
};

// Lists the applications a person can uninstall, sorted by name in the user's locale.
class AppInfoFetcher {
public:
    // Roots default to "/Applications" and the home folder's "Applications"; languages default to the
    // user's locale (e.g. "de_DE", then "de"), used for localised names.
    explicit AppInfoFetcher(std::vector<std::string> roots = {},
                            std::vector<std::string> preferredLanguages = {});

    static AppInfoFetcher& shared();

    // Synchronous and heavy on the disk; never fails (unreadable places contribute nothing). Once `stop`
    // is requested it returns early with a partial list, for the caller to drop.
    std::vector<InstalledApp> fetchInstalledApps(std::stop_token stop = {}) const;
    // Every application bundle of the roots, unsized and unsorted: each copy of an identifier, and the
    // system's own applications too. What the list leaves out is still installed.
    std::vector<InstalledApp> fetchEveryBundle(std::stop_token stop = {}) const;

private:
    std::optional<InstalledApp> loadAppInfo(const std::string& bundlePath) const;
    std::optional<std::string> localizedValue(const std::string& bundlePath, const char* key) const;
    static std::int64_t appSize(const std::string& bundlePath, std::stop_token stop);

    std::vector<std::string> roots_;
    std::vector<std::string> preferredLanguages_;
};

} // namespace zn
