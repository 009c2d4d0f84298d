#include "Logic/Removal/PrivilegedRemovalRecords.h"

namespace zn {

namespace {

std::optional<KeptBecause> keptReasonOfTag(std::string_view tag) {
    for (const KeptBecause because : {KeptBecause::belongsToAnotherUser, KeptBecause::sharedWithOtherUsers,
                                      KeptBecause::inFolderOfOtherUsers})
        if (tag == keptRecordTag(because))
            return because;
    return std::nullopt;
}

} // namespace

std::string_view keptRecordTag(KeptBecause because) {
    switch (because) {
    case KeptBecause::sharedWithOtherUsers:
        return "kept-shared";
    case KeptBecause::inFolderOfOtherUsers:
        return "kept-in-shared";
    case KeptBecause::belongsToAnotherUser:
        break;
    }
    return "kept";
}

std::string encodePrivilegedRemovalRecords(const std::vector<PrivilegedRemovalRecord>& records) {
    std::string text;
    for (const auto& record : records) {
        text += record.category ? std::string(rawValue(*record.category)) : std::string(kLeftoverRecordTag);
        text.push_back('\0');
        text += record.path;
        text.push_back('\0');
    }
    return text;
}

std::optional<std::vector<PrivilegedRemovalRecord>> decodePrivilegedRemovalRecords(std::string_view text) {
    std::vector<PrivilegedRemovalRecord> records;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t categoryEnd = text.find('\0', start);
        if (categoryEnd == std::string_view::npos)
            return std::nullopt;
        const std::size_t pathEnd = text.find('\0', categoryEnd + 1);
        if (pathEnd == std::string_view::npos)
            return std::nullopt;
        const std::string_view tag = text.substr(start, categoryEnd - start);
        std::string path(text.substr(categoryEnd + 1, pathEnd - categoryEnd - 1));
        if (tag == kLeftoverRecordTag) {
            records.push_back({std::nullopt, std::move(path)});
        } else {
            const auto category = cleaningCategoryFromRawValue(tag);
            if (!category)
                return std::nullopt;
            records.push_back({*category, std::move(path)});
        }
        start = pathEnd + 1;
    }
    return records;
}

PrivilegedRemovalReport decodePrivilegedRemovalReport(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0, end = 0; (end = text.find('\0', start)) != std::string_view::npos;
         start = end + 1)
        fields.push_back(text.substr(start, end - start));
    PrivilegedRemovalReport report;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].starts_with('/')) {
            report.removed.emplace(fields[i]);
        } else if (const auto because = keptReasonOfTag(fields[i]); because && i + 2 < fields.size()) {
            report.kept.emplace(fields[i + 1], KeptEntry{std::string(fields[i + 2]), *because});
            i += 2;
        } else {
            break; // nothing this program writes
        }
    }
    return report;
}

} // namespace zn
