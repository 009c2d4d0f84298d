#include "Platform/core/PeopleAccounts.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

namespace zn {
namespace {

TEST(PeopleAccounts, TheFirstPersonComesFromLoginDefinitionsReadAsTheShadowToolsReadNumbers) {
    test::FixtureTree tree;
    auto firstOf = [&](const std::string& text) {
        return People::fromLoginDefinitions(tree.textFile("login.defs", text)).firstPersonUid;
    };
    EXPECT_EQ(firstOf("# UID_MIN 5\nMAIL_DIR /var/mail\n\tUID_MIN\t\t 2000\nUID_MAX 29999\n"), 2000u);
    EXPECT_EQ(firstOf("UID_MIN 0x3E8\n"), 1000u);
    EXPECT_EQ(firstOf("UID_MIN 01750\n"), 1000u);
    EXPECT_EQ(firstOf("UID_MIN 70000\n"), 70000u);
    // Unset, not a number, negative or past any id: the system's usual first person.
    EXPECT_EQ(firstOf("UID_MIN lots\n"), 1000u);
    EXPECT_EQ(firstOf("UID_MIN 12x\n"), 1000u);
    EXPECT_EQ(firstOf("UID_MIN -5\n"), 1000u);
    EXPECT_EQ(firstOf("UID_MIN 0x1000000000\n"), 1000u);
    EXPECT_EQ(People::fromLoginDefinitions(tree.path("no-such-file")).firstPersonUid, 1000u);

    // Root is never a person, whatever the file says.
    EXPECT_FALSE(People::fromLoginDefinitions(tree.textFile("zero.defs", "UID_MIN 0\n")).isPerson(0));
    EXPECT_TRUE(People::fromLoginDefinitions(tree.textFile("zero.defs", "UID_MIN 0\n")).isPerson(5));
}

TEST(PeopleAccounts, EveryoneButRootTheSystemsAccountsAndTheCallerIsAnotherPerson) {
    const OtherPeople others(1000, People{});
    EXPECT_TRUE(others.own(1001));
    EXPECT_TRUE(others.own(60000));
    EXPECT_TRUE(others.own(60100));         // past UID_MAX: a systemd-homed user
    EXPECT_TRUE(others.own(1'500'000'000)); // a directory service's user
    EXPECT_TRUE(others.own(65534));         // nobody: who made it is unknown
    EXPECT_TRUE(others.own(70000));         // no account at all
    EXPECT_FALSE(others.own(1000));         // the caller
    EXPECT_FALSE(others.own(0));
    EXPECT_FALSE(others.own(999)); // a service's account
}

} // namespace
} // namespace zn
