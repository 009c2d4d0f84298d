#include "CommandLine/CLI.h"

#include "Logic/Scanning/AppInfoFetcher.h"
#include "Models/CleaningCategory.h"
#include "Platform/core/Bundle.h"
#include "Platform/core/ByteCountFormatter.h"
#include "Platform/core/VisibleText.h"
#include "Services/ScanEngine.h"

#include <memory>
#include <ostream>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace zn {

namespace {

// Pads with spaces to `width` characters or cuts to it; characters are what a person sees
// (grapheme clusters), never bytes.
std::string padded(const std::string& text, int width) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> characters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        return text;
    characters->setText(unicode);
    int count = 0;
    int32_t end = characters->first();
    for (int32_t next = characters->next(); next != icu::BreakIterator::DONE; next = characters->next()) {
        if (count == width)
            break;
        end = next;
        ++count;
    }
    std::string result;
    unicode.tempSubString(0, end).toUTF8String(result);
    result.append(static_cast<std::size_t>(width - count), ' ');
    return result;
}

// A name or identifier from a bundle as one line that cannot steer the terminal: bytes that are not UTF-8
// become "\uFFFD" (a terminal may take a lone byte of the C1 range for a control), then line breaks,
// other controls and direction controls are marked as the window marks them.
std::string shownOnOneLine(const std::string& text) {
    std::string wellFormed;
    icu::UnicodeString::fromUTF8(text).toUTF8String(wellFormed);
    return visibleText(wellFormed);
}

// Lower-cased with every space removed; hyphens and dots stay.
std::string normalizedCategoryName(const std::string& name) {
    std::string lowered;
    icu::UnicodeString::fromUTF8(name).toLower(icu::Locale::getRoot()).toUTF8String(lowered);
    std::erase(lowered, ' ');
    return lowered;
}

std::string joinedScannableNames() {
    std::string joined;
    for (auto category : scannableCategories()) {
        if (!joined.empty())
            joined += ", ";
        joined += rawValue(category);
    }
    return joined;
}

void printError(std::ostream& err, const std::string& message) {
    err << "Error: " << message << "\n";
    err.flush();
}

constexpr std::string_view kUsageBlock = "Zelva Nexal CLI\n"
                                         "\n"
                                         "Usage: zelvanexal <command> [options]\n"
                                         "\n"
                                         "Commands:\n"
                                         "  scan                    Scan all categories\n"
                                         "  scan --category <name>  Scan a specific category\n"
                                         "  scan --json             Output as JSON\n"
                                         "  disk-info               Show disk usage\n"
                                         "  list                    List installed apps\n"
                                         "  version                 Show version\n"
                                         "  help                    Show this help\n"
                                         "\n"
                                         "Categories:\n"
                                         "  ";

} // namespace

const std::set<std::string, std::less<>>& CLI::knownCommands() {
    static const std::set<std::string, std::less<>> commands{"scan",   "disk-info", "list",      "help", "--help",
                                                             "-h",     "version",   "--version", "-v"};
    return commands;
}

bool CLI::isCommandLineInvocation(const std::vector<std::string>& processArguments) {
    return processArguments.size() > 1 && knownCommands().contains(processArguments[1]);
}

int CLI::run(const std::vector<std::string>& arguments, Streams io) {
    if (arguments.empty()) {
        printUsage(io);
        return 0;
    }
    const std::string& command = arguments.front();
    if (command == "scan")
        return handleScan(std::vector<std::string>(arguments.begin() + 1, arguments.end()), io);
    if (command == "disk-info") {
        handleDiskInfo(io);
        return 0;
    }
    if (command == "list") {
        handleList(io);
        return 0;
    }
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(io);
        return 0;
    }
    if (command == "version" || command == "--version" || command == "-v") {
        printVersion(io);
        return 0;
    }
    printError(io.err, "Unknown command: " + command);
    printUsage(io);
    return 1;
}

int CLI::handleScan(const std::vector<std::string>& args, Streams io) {
    const bool json = std::find(args.begin(), args.end(), "--json") != args.end();
    const auto name = extractValue("--category", args);

    std::vector<CleaningCategory> categories(scannableCategories().begin(), scannableCategories().end());
    if (name) {
        const std::string wanted = normalizedCategoryName(*name);
        auto match = std::find_if(categories.begin(), categories.end(), [&](CleaningCategory category) {
            return normalizedCategoryName(std::string(rawValue(category))) == wanted;
        });
        if (match == categories.end()) {
            printError(io.err, "Unknown category: " + *name);
            io.out << "Available: " << joinedScannableNames() << "\n";
            return 1;
        }
        categories = {*match};
    }

    // The scans overlap, so no finishing order is fixed: the rows keep the order of the list, which is
    // the order a scan one category at a time finishes in.
    ScanEngine engine;
    std::vector<ScanRow> rows;
    for (const CategoryResult& result : engine.scanCategories(categories))
        rows.push_back({std::string(rawValue(result.category)),
                        static_cast<std::int64_t>(result.items.size()), result.totalSize});
    io.out << (json ? jsonText(rows) : tableText(rows));
    io.out.flush();
    return 0;
}

std::string CLI::jsonText(const std::vector<ScanRow>& rows) {
    std::string text = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            text += ",\n";
        text += "    {\"category\": \"" + rows[i].category + "\", \"items\": " + std::to_string(rows[i].items) +
                ", \"bytes\": " + std::to_string(rows[i].bytes) + "}";
    }
    text += "\n]\n";
    return text;
}

std::string CLI::tableText(const std::vector<ScanRow>& rows) {
    const std::string rule = "----------------------  -----     --------\n";
    std::string text = "Category                Items     Size\n" + rule;
    std::int64_t totalItems = 0;
    std::int64_t totalBytes = 0;
    for (const auto& row : rows) {
        text += padded(row.category, 22) + "  " + padded(std::to_string(row.items), 5) + "     " +
                formatByteCount(row.bytes) + "\n";
        totalItems += row.items;
        totalBytes = saturatingAdd(totalBytes, row.bytes);
    }
    text += rule;
    text += "Total                   " + padded(std::to_string(totalItems), 5) + "     " +
            formatByteCount(totalBytes) + "\n";
    return text;
}

void CLI::handleDiskInfo(Streams io) {
    ScanEngine engine;
    const DiskInfo info = engine.getDiskInfo();
    io.out << "Disk Usage:\n";
    io.out << "  Total:     " << formatByteCount(info.totalSpace) << "\n";
    io.out << "  Used:      " << formatByteCount(info.usedSpace) << "\n";
    io.out << "  Free:      " << formatByteCount(info.freeSpace) << "\n";
    if (info.purgeableSpace > 0)
        io.out << "  Purgeable: " << formatByteCount(info.purgeableSpace) << "\n";
    io.out.flush();
}

void CLI::handleList(Streams io) {
    const auto apps = AppInfoFetcher::shared().fetchInstalledApps();
    io.out << "Installed Apps (" << apps.size() << "):\n";
    for (const auto& app : apps)
        io.out << "  " << padded(shownOnOneLine(app.appName), 35) << " "
               << padded(formatByteCount(app.size), 12) << " " << shownOnOneLine(app.bundleIdentifier)
               << "\n";
    io.out.flush();
}

void CLI::printUsage(Streams io) {
    io.out << kUsageBlock << joinedScannableNames() << "\n";
    io.out.flush();
}

void CLI::printVersion(Streams io) {
    io.out << "Zelva Nexal " << Bundle::stringForInfoKey("CFBundleShortVersionString").value_or("2.0.0") << "\n";
    io.out.flush();
}

std::optional<std::string> CLI::extractValue(std::string_view option, const std::vector<std::string>& args) {
    auto found = std::find(args.begin(), args.end(), option);
    if (found == args.end() || found + 1 == args.end())
        return std::nullopt;
    return *(found + 1);
}

} // namespace zn
