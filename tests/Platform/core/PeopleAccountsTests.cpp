#include "Platform/core/PeopleAccounts.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(PeopleAccounts, TheRangeOfPeopleComesFromLoginDefinitions) {
    test::FixtureTree tree;
    auto rangeOf = [&](const std::string& text) {
        const PersonUidRange range = PersonUidRange::fromLoginDefinitions(tree.textFile("login.defs", text));
        return std::pair{range.first, range.last};
    };
    EXPECT_EQ(rangeOf("# UID_MIN 5\nMAIL_DIR /var/mail\n\tUID_MIN\t\t 2000\nUID_MAX 29999\n"),
              std::pair(uid_t{2000}, uid_t{29999}));
    // Unset, not a number or upside down: the system's usual range.
    EXPECT_EQ(rangeOf("UID_MIN lots\nUID_MAX 12x\n"), std::pair(uid_t{1000}, uid_t{60000}));
    EXPECT_EQ(rangeOf("UID_MIN 70000\n"), std::pair(uid_t{1000}, uid_t{60000}));
    const PersonUidRange missing = PersonUidRange::fromLoginDefinitions(tree.path("no-such-file"));
    EXPECT_EQ(std::pair(missing.first, missing.last), std::pair(uid_t{1000}, uid_t{60000}));

    const OtherPeople others(1000, PersonUidRange{});
    EXPECT_TRUE(others.own(1001));
    EXPECT_TRUE(others.own(60000));
    EXPECT_FALSE(others.own(1000)); // the caller
    EXPECT_FALSE(others.own(0));
    EXPECT_FALSE(others.own(999));   // a service's account
    EXPECT_FALSE(others.own(65534)); // nobody
}

} // namespace
} // namespace zn
