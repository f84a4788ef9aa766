// The new file name rule: extension, numbering, new name, find and replace, prefix and suffix, and
// that the previewed name is the name the rename engine writes.

#include <gtest/gtest.h>

#include "Core/Rename/RenameEngine.h"
#include "Platform/Foundation/Bookmark.h"
#include "Screens/Setup/NewFileName.h"
#include "Screens/Setup/TextRanges.h"
#include "Support/TempDir.h"

namespace {

using core::RenameOptions;
using screens::renamedFileName;

RenameOptions withStart(std::string start, std::string newName = "") {
    RenameOptions o;
    o.renameStartIndex = std::move(start);
    o.renameNewName = std::move(newName);
    return o;
}

RenameOptions findReplace(std::string find, std::string replace) {
    RenameOptions o;
    o.renameFindText = std::move(find);
    o.renameReplaceText = std::move(replace);
    return o;
}

TEST(NewFileName, ExtensionFollowsTheFormatOnlyWhenItStartsWithADot) {
    EXPECT_EQ(renamedFileName("photo.JPG", "Default", {}), "photo.JPG");
    EXPECT_EQ(renamedFileName("/Users/a/photo.jpg", "Default", {}), "photo.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", ".png", {}), "photo.png");
    for (const char* keeps : {"png", "default", "DEFAULT", ""})
        EXPECT_EQ(renamedFileName("photo.jpg", keeps, {}), "photo.jpg") << keeps;
    EXPECT_EQ(renamedFileName("README", ".png", {}), "README");
}

TEST(NewFileName, NumberingWithAndWithoutANewName) {
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("", "  Trip  ")), "Trip.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("1", "  Trip  ")), "Trip1.jpg");
    for (const char* none : {"0", "-3", "abc"})
        EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart(none, "Trip")), "Trip.jpg") << none;

    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("7")), "photo7.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("abc")), "photo0.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart(" 5")), "photo0.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("-2")), "photo-2.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("+4")), "photo4.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("")), "photo.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", withStart("99999999999999999999")), "photo0.jpg")
        << "beyond 64 bits is not a number";
}

TEST(NewFileName, PrefixAndSuffixAreTakenAsTyped) {
    RenameOptions o = withStart("7");
    o.renamePrefix = "a_";
    o.renameSuffix = "_b";
    EXPECT_EQ(renamedFileName("IMG_1.jpg", "Default", o), "a_IMG_1_b7.jpg");
    RenameOptions blank;
    blank.renamePrefix = " ";
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", blank), " photo.jpg");
}

TEST(NewFileName, FindAndReplaceComparesLowerCaseTextAndReplacesEveryMatch) {
    struct Case {
        const char* name;
        const char* find;
        const char* replace;
        const char* renamed;
    };
    const Case cases[] = {
        {"IMG_img.jpg", "img", "Pic", "Pic_Pic.jpg"},
        {"a-b-c.jpg", "-", "__", "a__b__c.jpg"},
        {"aXXbXXc.jpg", "xx", "-", "a-b-c.jpg"},
        {"aaaa.jpg", "aa", "b", "bb.jpg"},
        {"photo.jpg", "x", "", "photo.jpg"},
        {"photo.jpg", "o", "", "photo.jpg"},  // an empty replacement deletes nothing
        // Lower case is not case folding: "ß" stays "ß", so it never finds "SS" nor "SS" it.
        {"STRASSE.jpg", "\u00df", "ss", "STRASSE.jpg"},
        {"Stra\u00dfe.jpg", "SS", "x", "Stra\u00dfe.jpg"},
        {"Stra\u00dfe.jpg", "\u1e9e", "ss", "Strasse.jpg"},  // capital sharp s lower-cases to "ß"
        {"\ufb01le.jpg", "fi", "x", "\ufb01le.jpg"},  // the "fi" ligature has no lower case of two letters
        // "İ" lower-cases to "i" and a combining dot, a character of its own: "i" finds only whole
        // characters, the search keeps its place after it, and no language's rules apply.
        {"\u0130stanbul-i.jpg", "i", "x", "\u0130stanbul-x.jpg"},
        {"\u0130zmir_IMG.jpg", "img", "Pic", "\u0130zmir_Pic.jpg"},
        {"\u0130zmir.jpg", "\u0130", "I", "Izmir.jpg"},
        {"\u0131I.jpg", "i", "x", "\u0131x.jpg"},           // dotless "ı" is no "i"
        {"CAF\u00c9.jpg", "cafe\u0301", "Bar", "Bar.jpg"},  // composed and decomposed are one text
    };
    for (const Case& c : cases)
        EXPECT_EQ(renamedFileName(c.name, "Default", findReplace(c.find, c.replace)), c.renamed)
            << c.name << " find " << c.find;
    RenameOptions onNewName = findReplace("day", "Night");
    onNewName.renameNewName = "Holiday";
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", onNewName), "HoliNight.jpg");
}

TEST(NewFileName, NamesStayOneSafePathComponent) {
    RenameOptions slash;
    slash.renamePrefix = "../";
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", slash), ".._photo.jpg");
    EXPECT_EQ(renamedFileName("photo.jpg", "Default", findReplace("photo", "a/b")), "a_b.jpg");
    EXPECT_EQ(renamedFileName("/x/photo.jpg", "Default", findReplace("photo", "\n")), "_.jpg");
}

TEST(NewFileName, ThePreviewIsTheNameTheRenameEngineWrites) {
    testsupport::TempDir dir;
    const auto file = dir.write("IMG_0042.jpeg", "x");
    core::SourceURLInfo record;
    record.strFullPath = file.string();
    record.bookmarkData = foundation::bookmarkData(file);
    std::vector<RenameOptions> cases = {withStart("3"), withStart("1", "Trip"), findReplace("img_", "")};
    cases.push_back(findReplace("IMG", "Pic"));
    cases.back().renameSuffix = "_s";
    cases.back().renameStartIndex = "-5";
    for (const auto& options : cases)
        for (const char* format : {"Default", ".png"}) {
            const auto written = core::buildRenamedOutputURLs({record}, format, options);
            ASSERT_EQ(written.size(), 1u);
            ASSERT_TRUE(written[0].updatedUrl);
            EXPECT_EQ(written[0].updatedUrl->filename().string(),
                      renamedFileName(file.string(), format, options))
                << options.renameStartIndex << " " << format;
        }
}

TEST(NewFileName, TheSharedOptionsAreReadAtTheCall) {
    core::sharedRenameOptions().set(withStart("2"));
    EXPECT_EQ(renamedFileName("a.jpg", "Default"), "a2.jpg");
    core::sharedRenameOptions().reset();
    EXPECT_EQ(renamedFileName("a.jpg", "Default"), "a.jpg");
}

TEST(TextRanges, NonOverlappingMatchesInUtf16Units) {
    using screens::nsRanges;
    using R = screens::TextRange16;
    EXPECT_EQ(nsRanges("aaaa", "aa"), (std::vector<R>{{0, 2}, {2, 2}}));
    EXPECT_EQ(nsRanges("\xF0\x9F\x93\xB7-a-a", "a"), (std::vector<R>{{3, 1}, {5, 1}}))
        << "a camera emoji is 2 units";
    EXPECT_TRUE(nsRanges("abc", "").empty());
    EXPECT_TRUE(nsRanges("abc", "A").empty());
    EXPECT_EQ(nsRanges("abc", "A", true), (std::vector<R>{{0, 1}}));
    EXPECT_EQ(nsRanges("abab", "ab", false, R{1, 3}), (std::vector<R>{{2, 2}}));
    EXPECT_TRUE(nsRanges("abab", "ab", false, R{1, 0}).empty());
}

}  // namespace
