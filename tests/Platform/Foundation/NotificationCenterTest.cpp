#include <gtest/gtest.h>

#include <optional>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Support/TempDir.h"

using namespace foundation;

TEST(NotificationCenter, RemovedOrDestroyedObserversAreNotCalled) {
    NotificationCenter center;
    int kept = 0, removed = 0, destroyed = 0;
    PlistDictionary seenInfo;
    int owner1 = 0, owner2 = 0;
    auto keptToken = center.addObserver(&owner1, "onWindowResized", [&](const Notification& n) {
        ++kept;
        seenInfo = n.userInfo;
    });
    auto removedToken =
        center.addObserver(&owner2, "onWindowResized", [&](const Notification&) { ++removed; });
    std::optional<NotificationCenter::Token> scoped =
        center.addObserver(nullptr, "onWindowResized", [&](const Notification&) { ++destroyed; });
    auto other = center.addObserver(&owner1, "somethingElse", [&](const Notification&) { ++kept; });

    center.post("onWindowResized", nullptr, {{"w", 10}});
    center.removeObserver(&owner2);
    scoped.reset();
    center.post("onWindowResized");

    EXPECT_EQ(kept, 2);
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(seenInfo.empty());
}

TEST(Bundle, InfoAndResourcesOfTheApplication) {
    const auto& main = Bundle::main();
    ASSERT_TRUE(main.objectForInfoDictionaryKey("CFBundleName"));
    EXPECT_EQ(main.objectForInfoDictionaryKey("CFBundleName")->toString(), "Vorta");
    EXPECT_TRUE(main.objectForInfoDictionaryKey("CFBundleShortVersionString")->stringIf());

    testsupport::TempDir dir;
    dir.write("Lookup.png", "x");
    Bundle bundle(std::nullopt, dir.path());
    EXPECT_EQ(bundle.pathForResource("Lookup", "png"), dir / "Lookup.png");
    EXPECT_FALSE(bundle.pathForResource("Missing", "png"));
    EXPECT_FALSE(bundle.pathForResource("../etc/passwd", ""));
    EXPECT_FALSE(bundle.objectForInfoDictionaryKey("CFBundleName"));
}
