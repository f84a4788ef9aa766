#include "Core/Rename/RenameEngine.h"

#include <gtest/gtest.h>

#include "Core/Rename/RenameRule.h"
#include "Platform/Foundation/Bookmark.h"
#include "Support/TempDir.h"

namespace core {
namespace {

// Records of files made in a fresh folder, named as given.
class RenameEngine : public ::testing::Test {
  protected:
    std::vector<SourceURLInfo> records(const std::vector<std::string>& names) const {
        std::vector<SourceURLInfo> result;
        for (const auto& name : names) {
            SourceURLInfo record;
            record.bookmarkData = foundation::bookmarkData(dir.write(name, "x"));
            result.push_back(record);
        }
        return result;
    }
    std::vector<std::string> newNames(const std::vector<std::string>& files, const RenameOptions& options,
                                      const std::string& format = "Default") const {
        std::vector<std::string> names;
        for (const auto& record : buildRenamedOutputURLs(records(files), format, options)) {
            EXPECT_TRUE(record.updatedUrl);
            if (!record.updatedUrl) continue;
            EXPECT_EQ(record.updatedUrl->parent_path(), dir.path());
            names.push_back(record.updatedUrl->filename().string());
        }
        return names;
    }
    testsupport::TempDir dir;
};

using Names = std::vector<std::string>;

TEST_F(RenameEngine, Numbering) {
    struct Case {
        const char* label;
        RenameOptions options;
        Names files, expected;
    };
    const Names three = {"a.jpg", "b.png", "c.jpg"};
    const std::vector<Case> cases = {
        {"all options empty", {}, three, three},
        {"new name, no start index",
         {.renameNewName = "holiday"},
         three,
         {"holiday.jpg", "holiday1.png", "holiday2.jpg"}},
        {"new name, start 1",
         {.renameNewName = "holiday", .renameStartIndex = "1"},
         three,
         {"holiday1.jpg", "holiday2.png", "holiday3.jpg"}},
        {"new name, start 5",
         {.renameNewName = "holiday", .renameStartIndex = "5"},
         three,
         {"holiday5.jpg", "holiday6.png", "holiday7.jpg"}},
        {"new name is trimmed",
         {.renameNewName = "  Trip \n"},
         {"a.jpg", "b.jpg"},
         {"Trip.jpg", "Trip1.jpg"}},
        {"new name, start 0",
         {.renameNewName = "Trip", .renameStartIndex = "0"},
         {"a.jpg", "b.jpg"},
         {"Trip.jpg", "Trip1.jpg"}},
        {"new name, negative start",
         {.renameNewName = "Trip", .renameStartIndex = "-3"},
         three,
         {"Trip.jpg", "Trip-2.png", "Trip-1.jpg"}},
        {"no new name, start 1", {.renameStartIndex = "1"}, three, {"a1.jpg", "b2.png", "c3.jpg"}},
        {"no new name, start abc", {.renameStartIndex = "abc"}, three, {"a0.jpg", "b1.png", "c2.jpg"}},
        {"no new name, start with a blank", {.renameStartIndex = " 5"}, {"a.jpg"}, {"a0.jpg"}},
        {"no new name, start +7", {.renameStartIndex = "+7"}, {"a.jpg", "b.jpg"}, {"a7.jpg", "b8.jpg"}},
        {"no new name, start -2", {.renameStartIndex = "-2"}, three, {"a-2.jpg", "b-1.png", "c0.jpg"}},
        {"start beyond 64 bits counts as 0",
         {.renameStartIndex = "99999999999999999999"},
         {"a.jpg"},
         {"a0.jpg"}},
        {"largest start does not overflow",
         {.renameStartIndex = "9223372036854775807"},
         {"a.jpg", "b.jpg"},
         {"a9223372036854775807.jpg", "b9223372036854775808.jpg"}},
        {"number after the suffix",
         {.renamePrefix = "x_", .renameSuffix = "_y", .renameStartIndex = "7"},
         {"IMG_1.jpg"},
         {"x_IMG_1_y7.jpg"}},
        {"find and replace on the new name",
         {.renameNewName = "Trip", .renameFindText = "trip", .renameReplaceText = "day"},
         {"a.jpg", "b.jpg"},
         {"day.jpg", "day1.jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(newNames(c.files, c.options), c.expected);
    }
    // Every run numbers afresh.
    const RenameOptions trip{.renameNewName = "Trip"};
    EXPECT_EQ(newNames({"a.jpg"}, trip), Names{"Trip.jpg"});
    EXPECT_EQ(newNames({"a.jpg"}, trip), Names{"Trip.jpg"});
}

TEST_F(RenameEngine, TextAndExtensionRules) {
    struct Case {
        const char* label;
        RenameOptions options;
        std::string format, file, expected;
    };
    const std::vector<Case> cases = {
        {"find ignores case",
         {.renameFindText = "IMG", .renameReplaceText = "pic"},
         "Default",
         "img_IMG_Img.jpg",
         "pic_pic_pic.jpg"},
        {"replacements do not rescan",
         {.renameFindText = "a", .renameReplaceText = "xyz"},
         "Default",
         "banana.jpg",
         "bxyznxyznxyz.jpg"},
        {"matches do not overlap",
         {.renameFindText = "aa", .renameReplaceText = "b"},
         "Default",
         "aaaa.jpg",
         "bb.jpg"},
        {"find without replace does nothing", {.renameFindText = "x"}, "Default", "xx.jpg", "xx.jpg"},
        {"replace without find does nothing", {.renameReplaceText = "x"}, "Default", "ab.jpg", "ab.jpg"},
        {"find runs on the new name",
         {.renameNewName = "Holiday", .renameFindText = "day", .renameReplaceText = "Night"},
         "Default",
         "a.jpg",
         "HoliNight.jpg"},
        {"length-changing lower case",
         {.renameFindText = "img", .renameReplaceText = "pic"},
         "Default",
         "İstanbul_IMG.jpg",
         "İstanbul_pic.jpg"},
        {"dotted capital i",
         {.renameFindText = "i", .renameReplaceText = "x"},
         "Default",
         "İİi.jpg",
         "İİx.jpg"},
        {"prefix and suffix not trimmed",
         {.renamePrefix = " ", .renameSuffix = "_b"},
         "Default",
         "photo.jpg",
         " photo_b.jpg"},
        {".png changes the extension", {}, ".png", "photo.jpg", "photo.png"},
        {"default keeps it", {}, "default", "photo.jpg", "photo.jpg"},
        {"DEFAULT keeps it", {}, "DEFAULT", "photo.jpg", "photo.jpg"},
        {"a format without dot keeps it", {}, "png", "photo.jpg", "photo.jpg"},
        {"no extension stays none", {}, ".png", "README", "README"},
        {"hidden file has no extension", {}, ".png", ".hidden", ".hidden"},
        {"letter case of the extension kept", {}, "Default", "photo.JPG", "photo.JPG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(newNames({c.file}, c.options, c.format), Names{c.expected});
    }
}

TEST_F(RenameEngine, NamesAreAlwaysOneSafeComponent) {
    struct Case {
        RenameOptions options;
        std::string file, expected;
    };
    const std::vector<Case> cases = {
        {{.renameNewName = "a/b"}, "photo.jpg", "a_b.jpg"},
        {{.renameNewName = "../../etc/x"}, "photo.jpg", ".._.._etc_x.jpg"},
        {{.renameNewName = ".."}, "README", "_"},
        {{.renameNewName = "."}, "README", "_"},
        {{.renamePrefix = "a\nb\t"}, "photo.jpg", "a_b_photo.jpg"},
        {{.renameFindText = "photo", .renameReplaceText = "/"}, "photo", "_"},
        {{}, "photo.jpg", "photo.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.renameNewName + c.options.renamePrefix);
        EXPECT_EQ(newNames({c.file}, c.options), Names{c.expected});
    }
    EXPECT_EQ(newNames({"photo.jpg"}, {}, "./x"), Names{"photo._x"});
}

TEST_F(RenameEngine, RecordsThatCannotBeLocatedComeBackUnchangedWithoutCounting) {
    auto input = records({"a.jpg", "b.jpg", "c.jpg"});
    input[1].bookmarkData.reset();
    input[1].strFileName = "lost.jpg";
    const auto vanished = dir.write("gone.jpg", "x");
    SourceURLInfo gone;
    gone.bookmarkData = foundation::bookmarkData(vanished);
    std::filesystem::remove(vanished);
    input.insert(input.begin(), gone);

    testing::internal::CaptureStdout();
    const auto output = buildRenamedOutputURLs(input, "Default", {.renameStartIndex = "1"});
    const std::string printed = testing::internal::GetCapturedStdout();

    ASSERT_EQ(output.size(), 4u);
    EXPECT_FALSE(output[0].updatedUrl);
    EXPECT_FALSE(output[0].url);
    EXPECT_EQ(output[0].id, gone.id);
    EXPECT_FALSE(output[2].updatedUrl);
    EXPECT_EQ(output[2].strFileName, "lost.jpg");
    EXPECT_EQ(output[1].updatedUrl->filename(), "a1.jpg");
    EXPECT_EQ(output[1].url, dir / "a.jpg");
    EXPECT_EQ(output[3].updatedUrl->filename(), "c2.jpg");
    EXPECT_EQ(output[1].id, input[1].id);
    EXPECT_NE(printed.find("Could not locate URL for : "), std::string::npos);
    EXPECT_NE(printed.find("lost.jpg"), std::string::npos);
}

TEST(RenameRule, StartIndexParsing) {
    EXPECT_EQ(parseStartIndex("7"), 7);
    EXPECT_EQ(parseStartIndex("+7"), 7);
    EXPECT_EQ(parseStartIndex("-2"), -2);
    EXPECT_EQ(parseStartIndex("007"), 7);
    for (const char* text :
         {"", "+", "-", "+-1", "--1", " 5", "5 ", "1.5", "abc", "0x10", "99999999999999999999"})
        EXPECT_FALSE(parseStartIndex(text)) << text;
}

TEST(RenameRule, OptionsAreTakenAsACopy) {
    sharedRenameOptions().set({.renameNewName = "first"});
    const RenameOptions taken = sharedRenameOptions().get();
    sharedRenameOptions().set({.renameNewName = "second"});
    EXPECT_EQ(composeRenamedStem("photo", taken), "first");
    sharedRenameOptions().reset();
    EXPECT_EQ(sharedRenameOptions().get(), RenameOptions{});
}

}  // namespace
}  // namespace core
