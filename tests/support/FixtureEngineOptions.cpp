#include "support/FixtureEngineOptions.h"

#include "Platform/core/PathResolution.h"

namespace zn::test {

namespace {

std::string underSystem(const FixtureTree& tree, const std::string& absolute) {
    return tree.path("system" + absolute);
}

std::vector<std::string> underSystem(const FixtureTree& tree, const std::vector<std::string>& absolutes) {
    std::vector<std::string> paths;
    for (const auto& absolute : absolutes)
        paths.push_back(underSystem(tree, absolute));
    return paths;
}

} // namespace

ScanEngineOptions fixtureEngineOptions(const FixtureTree& tree) {
    ScanEngineOptions options;
    options.systemCaches = underSystem(tree, options.systemCaches);
    options.systemLogs = underSystem(tree, options.systemLogs);
    options.systemLogFiles = underSystem(tree, options.systemLogFiles);
    options.temporaryFiles = underSystem(tree, options.temporaryFiles);
    options.systemTemporaryFiles = underSystem(tree, options.systemTemporaryFiles);
    options.tmutil = underSystem(tree, options.tmutil);
    options.diskutil = underSystem(tree, options.diskutil);
    options.brewPlaces = underSystem(tree, options.brewPlaces);
    options.brewSystemCacheRoots = underSystem(tree, options.brewSystemCacheRoots);
    options.nodeToolSystemSearchPaths = underSystem(tree, options.nodeToolSystemSearchPaths);
    options.dockerPlaces = underSystem(tree, options.dockerPlaces);
    return options;
}

SystemCleaningFolders fixtureCleaningFolders(const FixtureTree& tree) {
    // The rules compare resolved paths: a link on the way to the fixture must not hide its roots.
    const std::string system = resolvingSymlinksInPath(tree.path("system"));
    SystemCleaningFolders folders;
    for (std::string& root : folders.allowedRoots)
        root = system + root;
    for (std::string& folder : folders.sharedTemporary)
        folder = system + folder;
    return folders;
}

} // namespace zn::test
