#include "Logic/Scanning/WordedKey.h"

#include "Logic/Scanning/StringNormalization.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

std::vector<std::string> wordsOf(std::string_view name) {
    return WordedKey(name).words();
}

TEST(WordedKey, WordsArePartedBySeparatorsByCaseAndByADigitAfterALetter) {
    using Words = std::vector<std::string>;
    EXPECT_EQ(wordsOf("Proton Mail"), (Words{"proton", "mail"}));
    EXPECT_EQ(wordsOf("GoogleUpdater"), (Words{"google", "updater"}));
    EXPECT_EQ(wordsOf("iTerm2"), (Words{"i", "term", "2"}));
    EXPECT_EQ(wordsOf("com.tinyspeck.slackmacgap"), (Words{"com", "tinyspeck", "slackmacgap"}));
    EXPECT_EQ(wordsOf("HTTPStorages"), (Words{"httpstorages"})); // upper after upper joins
    EXPECT_EQ(wordsOf("1Password"), (Words{"1password"}));       // a letter after a digit joins
    EXPECT_EQ(wordsOf("Foo_Bar-2.1"), (Words{"foo", "bar", "2", "1"}));
    EXPECT_EQ(wordsOf("--. _"), Words{});
    EXPECT_EQ(wordsOf("ÉcoleNumérique"), (Words{"école", "numérique"}));
    EXPECT_EQ(wordsOf("微信2"), (Words{"微信", "2"}));
    // The key is always the one every matcher uses, whatever the words.
    for (std::string_view name :
         {"Proton Mail", "GoogleUpdater", "ÉcoleNumérique", "ΟΔΟΣ.Β", "ΑΣ Β", "İstanbulX"})
        EXPECT_EQ(WordedKey(name).key(), normalizedForMatching(name)) << name;
}

TEST(WordedKey, WholeWordsOneWordAndTheStartOfAWord) {
    const WordedKey updater("GoogleUpdater");
    EXPECT_TRUE(updater.holdsWords("google"));
    EXPECT_TRUE(updater.holdsWords("googleupdater"));
    EXPECT_FALSE(updater.holdsWords("googleup"));
    EXPECT_TRUE(updater.holdsOneWord("updater"));
    EXPECT_FALSE(updater.holdsOneWord("googleupdater"));
    EXPECT_TRUE(updater.beginsAWordWith("googleup"));
    EXPECT_TRUE(updater.beginsAWordWith("update"));
    EXPECT_FALSE(updater.beginsAWordWith("pdater"));

    const WordedKey minecraft("minecraft");
    EXPECT_TRUE(minecraft.beginsAWordWith("minecraft"));
    EXPECT_FALSE(minecraft.beginsAWordWith("craft"));
    EXPECT_FALSE(minecraft.beginsAWordWith(""));
    EXPECT_TRUE(WordedKey("pro.writer.mac").beginsAWordWith("writermac"));
    EXPECT_FALSE(WordedKey("pro.writer.mac").beginsAWordWith("iterm"));
}

} // namespace
} // namespace zn
