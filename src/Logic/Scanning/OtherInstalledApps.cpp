#include "Logic/Scanning/OtherInstalledApps.h"

#include "Logic/Scanning/StringNormalization.h"
#include "Platform/core/PathResolution.h"
#include "Platform/core/PathText.h"

#include <algorithm>

namespace zn {

namespace {

// The forms that name one application: its names and identifier, and their parts.
std::vector<std::string> identityTexts(const AppNameForms& names) {
    return {names.normalizedBundleID, names.bundleLastTwo,     names.normalizedAppName,
            names.appNameLettersOnly, names.pathComponentName, names.strippedAppName.value_or("")};
}

// The words after an application's name that make a release of it rather than another product.
const std::vector<std::vector<std::string_view>>& releasePhrases() {
    static const std::vector<std::vector<std::string_view>> phrases = {
        {"beta"},     {"dev"},     {"developer", "edition"},  {"nightly"},  {"canary"},
        {"insiders"}, {"preview"}, {"technology", "preview"}, {"snapshot"}, {"alpha"},
        {"esr"},      {"unstable"}};
    return phrases;
}

bool isNumber(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// `words` from `first` on are release words and version numbers, with one release word at least.
bool nameARelease(const std::vector<std::string>& words, std::size_t first) {
    bool release = false;
    for (std::size_t i = first; i < words.size();) {
        if (isNumber(words[i])) {
            ++i;
            continue;
        }
        const auto& phrases = releasePhrases();
        const auto phrase = std::find_if(phrases.begin(), phrases.end(), [&](const auto& candidate) {
            return i + candidate.size() <= words.size() &&
                   std::equal(candidate.begin(), candidate.end(),
                              words.begin() + static_cast<std::ptrdiff_t>(i));
        });
        if (phrase == phrases.end())
            return false;
        i += phrase->size();
        release = true;
    }
    return release;
}

} // namespace

bool OtherInstalledApps::Form::operator<(const Form& other) const {
    return length != other.length ? length > other.length : text < other.text;
}

OtherInstalledApps::Channel::Channel(const AppSearchInfo& app)
    : names_{WordedKey(strippingTrailingVersion(app.appName)),
             WordedKey(strippingTrailingVersion(bundleFileName(app.path)))} {
    for (std::string& text : identityTexts(AppNameForms(app))) {
        const std::size_t length = characterCount(text);
        if (length >= kMinimumFormLength)
            forms_.push_back({length, std::move(text)});
    }
}

bool OtherInstalledApps::Channel::isReleaseOf(const std::string& name) const {
    return std::any_of(names_.begin(), names_.end(), [&](const WordedKey& channelName) {
        const std::vector<std::string> words = channelName.words();
        std::string leading;
        for (std::size_t i = 0; i < words.size() && leading.size() < name.size(); ++i) {
            leading += words[i];
            if (leading == name)
                return nameARelease(words, i + 1);
        }
        return false;
    });
}

bool OtherInstalledApps::Channel::sharesName(std::string_view key) const {
    return std::any_of(names_.begin(), names_.end(),
                       [&](const WordedKey& name) { return name.holdsWords(key); });
}

std::size_t OtherInstalledApps::Channel::longestFormIn(std::string_view key) const {
    std::size_t longest = 0;
    for (const Form& form : forms_)
        if (form.length > longest && key.find(form.text) != std::string_view::npos)
            longest = form.length;
    return longest;
}

OtherInstalledApps::OtherInstalledApps(const std::vector<AppSearchInfo>& apps, const AppSearchInfo& own) {
    const std::string ownWritten = PathText::standardizingPath(own.path, "");
    const std::string ownResolved = resolvingSymlinksInPath(own.path);
    const AppNameForms ownNames(own);
    const std::vector<std::string> ownNameForms = {ownNames.normalizedAppName, ownNames.appNameLettersOnly,
                                                   ownNames.pathComponentName,
                                                   ownNames.strippedAppName.value_or("")};
    ownName_ = ownNames.normalizedAppName;
    const bool ownNameHasWords = WordedKey(own.appName).words().size() > 1;
    const auto ownComponents = componentsSeparatedByDots(own.bundleIdentifier);
    if (ownComponents.size() >= 2)
        ownIdentifier_ = ownNames.normalizedBundleID;
    if (ownComponents.size() >= 3) {
        ownVendor_ = normalizedForMatching(ownComponents[1]);
        ownProduct_ = normalizedForMatching(ownComponents.back());
    }

    auto add = [](std::vector<Form>& forms, const std::string& form) {
        if (!form.empty())
            forms.push_back({characterCount(form), form});
    };
    for (const AppSearchInfo& app : apps) {
        const std::string written = PathText::standardizingPath(app.path, "");
        const std::string resolved = resolvingSymlinksInPath(app.path);
        if (app.path.empty() || written == ownWritten || resolved == ownResolved)
            continue;
        bundles_.push_back(written);
        if (resolved != written)
            bundles_.push_back(resolved);
        const bool sameIdentifier =
            !app.bundleIdentifier.empty() && app.bundleIdentifier == own.bundleIdentifier;
        sameApplicationStays_ = sameApplicationStays_ || sameIdentifier;

        const AppNameForms names(app);
        for (const std::string& form : identityTexts(names))
            add(identityForms_, form);
        for (const std::string& form : {names.normalizedAppName, names.pathComponentName,
                                        names.strippedAppName.value_or(""), names.normalizedBundleID})
            if (!form.empty())
                wholeNames_.insert(form);
        for (const std::string& form : {names.normalizedBundleID, names.bundleLastTwo,
                                        names.normalizedAppName, names.pathComponentName})
            if (!form.empty())
                exactForms_.insert(form);
        const auto components = componentsSeparatedByDots(app.bundleIdentifier);
        const std::string last = normalizedForMatching(components.back());
        if (!last.empty())
            wholeKeyForms_.insert(last);
        // A vendor word that is the searched application's own name says nothing of who else is in it, but
        // where it is written as the identifier writes it and the name is not.
        if (components.size() >= 3) {
            const std::string vendor = normalizedForMatching(components[1]);
            if (std::find(ownNameForms.begin(), ownNameForms.end(), vendor) == ownNameForms.end())
                add(vendorForms_, vendor);
            else if (vendor == ownName_ && ownNameHasWords)
                add(ownNameVendorForms_, vendor);
        }
        // A channel's name begins with this one's; most names do not, so words are split only where the
        // letters already match.
        if (!sameIdentifier && !ownName_.empty() &&
            (names.normalizedAppName.starts_with(ownName_) ||
             names.pathComponentName.starts_with(ownName_))) {
            Channel channel(app);
            if (channel.isReleaseOf(ownName_))
                channels_.push_back(std::move(channel));
        }
    }
    for (std::vector<Form>* forms : {&identityForms_, &vendorForms_, &ownNameVendorForms_}) {
        std::sort(forms->begin(), forms->end());
        forms->erase(std::unique(forms->begin(), forms->end()), forms->end());
    }
}

bool OtherInstalledApps::isInBundle(const std::string& path) const {
    return std::any_of(bundles_.begin(), bundles_.end(),
                       [&](const std::string& bundle) { return PathText::isSameOrInside(path, bundle); });
}

bool OtherInstalledApps::holdsBundle(const std::string& path) const {
    return std::any_of(bundles_.begin(), bundles_.end(),
                       [&](const std::string& bundle) { return PathText::isStrictlyInside(bundle, path); });
}

template <typename Occurs>
bool OtherInstalledApps::namedBy(const std::vector<Form>& forms, const std::string& key, std::size_t least,
                                 Occurs occursIn) {
    const std::size_t threshold = least > 0 ? least : kMinimumFormLength;
    for (const Form& form : forms) {
        if (form.length < least)
            break; // longest first: no form left is long enough
        if (key == form.text || (form.length >= threshold && occursIn(form.text)))
            return true;
    }
    return false;
}

bool OtherInstalledApps::carriesOwnIdentity(const WordedKey& entry) const {
    return (!ownIdentifier_.empty() && entry.holdsWords(ownIdentifier_)) ||
           (!ownVendor_.empty() && !ownProduct_.empty() && entry.holdsWords(ownVendor_) &&
            entry.holdsWords(ownProduct_));
}

OtherInstalledApps::Claim OtherInstalledApps::claim(const WordedKey& entry, std::size_t ownLongest) const {
    const std::string& key = entry.key();
    const std::size_t least = ownLongest + (carriesOwnIdentity(entry) ? 1 : 0);
    // Named exactly as this application, it is this one's unless another is named so too: another's name
    // that ties with it only without its version does not count.
    const bool exactlyOwnName = ownLongest > 0 && key == ownName_ && !exactForms_.contains(key);
    if (wholeKeyForms_.contains(key) ||
        namedBy(identityForms_, key, exactlyOwnName ? std::max(least, ownLongest + 1) : least,
                [&](const std::string& form) { return key.find(form) != std::string::npos; }))
        return Claim::theirs;
    const bool writtenAsAVendor =
        namedBy(vendorForms_, key, least, [&](const std::string& form) { return entry.holdsWords(form); }) ||
        std::any_of(ownNameVendorForms_.begin(), ownNameVendorForms_.end(),
                    [&](const Form& form) { return form.length >= least && entry.holdsOneWord(form.text); });
    return writtenAsAVendor ? Claim::shared : Claim::none;
}

bool OtherInstalledApps::namesAnother(const std::string& key, std::size_t closeness) const {
    return wholeNames_.contains(key) && characterCount(key) > closeness;
}

} // namespace zn
