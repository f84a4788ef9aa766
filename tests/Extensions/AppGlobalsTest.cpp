#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "Extensions/AppGlobals.h"

using foundation::Bundle;
using foundation::PlistDictionary;

TEST(AppGlobals, AppNameIsTheBundleNameWhenItIsText) {
    EXPECT_EQ(appName(), "Vorta");
    EXPECT_FALSE(appNameOf(Bundle(PlistDictionary{{"CFBundleIdentifier", "x"}}, "/")));
    EXPECT_FALSE(appNameOf(Bundle(PlistDictionary{{"CFBundleName", 7}}, "/")));
    EXPECT_FALSE(appNameOf(Bundle(std::nullopt, "/")));
}

TEST(AppGlobals, FirstUsesFromManyThreadsSeeOneObject) {
    std::vector<const void*> names(8), defaults(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            names[i] = &appName();
            defaults[i] = &userDefaults();
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(std::set<const void*>(names.begin(), names.end()).size(), 1u);
    EXPECT_EQ(std::set<const void*>(defaults.begin(), defaults.end()).size(), 1u);
    EXPECT_EQ(*static_cast<const std::optional<std::string>*>(names[0]), "Vorta");
}

TEST(AppGlobals, AppDelegateIsAbsentUntilSet) {
    EXPECT_EQ(appDelegate(), nullptr);
    auto* fake = reinterpret_cast<AppDelegate*>(0x1000);
    setAppDelegate(fake);
    EXPECT_EQ(appDelegate(), fake);
    setAppDelegate(nullptr);
}
