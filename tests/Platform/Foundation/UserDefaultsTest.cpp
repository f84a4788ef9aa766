#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "Platform/Foundation/UserDefaults.h"
#include "Support/TempDir.h"

using namespace foundation;
using testsupport::TempDir;

TEST(UserDefaults, EveryTypeSurvivesASaveAndAReload) {
    TempDir dir;
    const auto file = dir / "settings.json";
    {
        UserDefaults d(file);
        d.set("int", PlistValue(42));
        d.set("double", PlistValue(1.0));
        d.set("bool", PlistValue(true));
        d.set("string", PlistValue("text"));
        d.set("data", PlistValue(Data{9, 8, 7}));
        d.set("date", PlistValue(Date{12345.25}));
        d.set("array", PlistValue(PlistArray{PlistDictionary{{"presetWidth", 1080}}}));
        ASSERT_TRUE(d.synchronize());
    }
    UserDefaults reloaded(file);
    EXPECT_EQ(reloaded.object("int")->type(), PlistValue::Type::Integer);
    EXPECT_EQ(reloaded.integer("int"), 42);
    EXPECT_EQ(reloaded.object("double")->type(), PlistValue::Type::Double);
    EXPECT_EQ(reloaded.object("bool")->type(), PlistValue::Type::Bool);
    EXPECT_TRUE(reloaded.boolean("bool"));
    EXPECT_EQ(reloaded.string("string"), "text");
    EXPECT_EQ(reloaded.data("data"), (Data{9, 8, 7}));
    EXPECT_EQ(*reloaded.object("date")->dateIf(), Date{12345.25});
    const auto arr = reloaded.array("array");
    ASSERT_TRUE(arr);
    EXPECT_EQ((*arr)[0].find("presetWidth")->type(), PlistValue::Type::Integer);
}

TEST(UserDefaults, RegisteredValuesShowThroughUntilSetAndAfterRemoval) {
    TempDir dir;
    UserDefaults d(dir / "settings.json");
    EXPECT_EQ(d.integer("UD_Percentage"), 0);
    EXPECT_FALSE(d.boolean("missing"));
    EXPECT_EQ(d.doubleValue("missing"), 0.0);
    EXPECT_FALSE(d.string("missing"));
    EXPECT_FALSE(d.array("missing"));

    d.registerDefaults({{"UD_Percentage", 50}, {"isShowFirst", 0}});
    EXPECT_EQ(d.integer("UD_Percentage"), 50);
    d.set("UD_Percentage", PlistValue(75));
    EXPECT_EQ(d.integer("UD_Percentage"), 75);
    d.removeObject("UD_Percentage");
    EXPECT_EQ(d.integer("UD_Percentage"), 50);
    d.set("isShowFirst", PlistValue(1));
    d.set("isShowFirst", std::nullopt);
    EXPECT_EQ(d.integer("isShowFirst"), 0);
    // Typed reads bridge numbers and numeric text as the platform does.
    d.set("text", PlistValue("12"));
    EXPECT_EQ(d.integer("text"), 12);
    d.set("yes", PlistValue("YES"));
    EXPECT_TRUE(d.boolean("yes"));
    EXPECT_FALSE(d.array("text"));
}

TEST(UserDefaults, ACorruptFileIsKeptAsideAndStartUpGoesOn) {
    std::string whole;
    {
        TempDir dir;
        UserDefaults d(dir / "settings.json");
        d.set("UD_SavedPresets_1", PlistValue(PlistArray{PlistDictionary{{"presetName", "Instagram"}}}));
        whole = TempDir::read(dir / "settings.json");
    }
    // Nested far beyond what any settings file holds, as a damaged or hostile file may be.
    const auto nested = [](const std::string& open, const std::string& close) {
        std::string text;
        for (int i = 0; i < 100'000; ++i) text += open;
        for (int i = 0; i < 100'000; ++i) text += close;
        return text;
    };
    const std::string bad[] = {
        whole.substr(0, whole.size() / 2),
        "{\"UD_SavedPresets_1\": " + nested("[", "]") + "}",
        nested("{\"a\":", "}").insert(100'000 * 5, "1"),  // {"a":{"a":...{"a":1}...}}
        "[" + std::string(100'000, '[') + "\"unclosed",
    };
    for (const std::string& text : bad) {
        SCOPED_TRACE(text.substr(0, 40));
        TempDir dir;
        const auto file = dir.write("settings.json", text);
        UserDefaults d(file);
        d.registerDefaults({{"UDTotalPhotos", 0}});
        EXPECT_FALSE(d.object("UD_SavedPresets_1"));
        EXPECT_EQ(d.integer("UDTotalPhotos"), 0);
        auto aside = file;
        aside += ".corrupt";
        EXPECT_EQ(TempDir::read(aside), text) << "the file is kept as it was";
        d.set("UDTotalPhotos", PlistValue(3));
        EXPECT_EQ(UserDefaults(file).integer("UDTotalPhotos"), 3);
    }
}

TEST(UserDefaults, EachUnreadableFileIsKeptAsideUnderAFreeNameAndNoneIsOverwritten) {
    TempDir dir;
    const auto file = dir / "settings.json";
    const auto aside = [&](const std::string& suffix) {
        auto path = file;
        path += suffix;
        return path;
    };
    // Two damaged files in turn, then a third after the user has taken the first away.
    const std::string first = "{\"UD_SavedPresets_1\": [", second = "{\"a\": 1,", third = "not json";
    dir.write("settings.json", first);
    UserDefaults(file).set("UDTotalPhotos", PlistValue(1));
    dir.write("settings.json", second);
    UserDefaults(file).set("UDTotalPhotos", PlistValue(2));
    EXPECT_EQ(TempDir::read(aside(".corrupt")), first);
    EXPECT_EQ(TempDir::read(aside(".corrupt (2)")), second);
    std::filesystem::remove(aside(".corrupt"));
    dir.write("settings.json", third);
    EXPECT_EQ(UserDefaults(file).integer("UDTotalPhotos"), 0);
    EXPECT_EQ(TempDir::read(aside(".corrupt")), third) << "the first free name is taken again";
    EXPECT_EQ(TempDir::read(aside(".corrupt (2)")), second);
    EXPECT_FALSE(std::filesystem::exists(aside(".corrupt (3)")));
}

TEST(UserDefaults, AFailedWriteLeavesTheOldFileIntact) {
    TempDir dir;
    {
        UserDefaults d(dir / "settings.json");
        d.set("UDTargetFolder", PlistValue("/photos/out"));
        ASSERT_TRUE(d.synchronize());
    }
    const std::string before = TempDir::read(dir / "settings.json");
    // A name that fits, but with no room for a temporary beside it: the write cannot begin.
    const std::string name = std::string(235, 's') + ".json";
    dir.write(name, before);
    const auto file = dir / name;
    UserDefaults d(file);
    d.set("UDTargetFolder", PlistValue("/elsewhere"));
    EXPECT_FALSE(d.synchronize());
    EXPECT_EQ(TempDir::read(file), before);
    EXPECT_EQ(UserDefaults(file).string("UDTargetFolder"), "/photos/out");
}

// Two instances of the application on one settings file, each saving as it quits.
TEST(UserDefaults, WritersOfTheSameFileNeverShareATemporary) {
    TempDir dir;
    const auto file = dir / "settings.json";
    std::atomic<int> failed{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < 2; ++w) {
        writers.emplace_back([&, w] {
            UserDefaults d(file);
            for (int i = 1; i <= 100; ++i) {
                d.set("writer" + std::to_string(w), PlistValue(i));
                if (!d.synchronize()) ++failed;
            }
        });
    }
    for (auto& t : writers) t.join();
    EXPECT_EQ(failed.load(), 0) << "a save failed";
    const UserDefaults stored(file);
    EXPECT_TRUE(stored.integer("writer0") == 100 || stored.integer("writer1") == 100)
        << "the last save is whole";
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) left.push_back(e.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"settings.json"}) << "no temporary or damaged file is left";
}

TEST(UserDefaults, ConcurrentReadersAndWritersSeeWholeValues) {
    TempDir dir;
    UserDefaults d(dir / "settings.json");
    d.registerDefaults({{"shared", 0}});
    std::atomic<bool> torn{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                if (t % 2 == 0) {
                    d.set("key" + std::to_string(t), PlistValue(i));
                    d.set("shared", PlistValue(PlistArray{i, i}));
                } else {
                    const auto v = d.object("shared");
                    if (v && v->arrayIf() && (*v->arrayIf())[0] != (*v->arrayIf())[1]) torn = true;
                    (void)d.integer("key" + std::to_string(t - 1));
                }
            }
        });
    }
    for (auto& th : threads) th.join();
    EXPECT_FALSE(torn);
    UserDefaults reloaded(d.filePath());
    for (int t = 0; t < 8; t += 2) EXPECT_EQ(reloaded.integer("key" + std::to_string(t)), 199);
}
