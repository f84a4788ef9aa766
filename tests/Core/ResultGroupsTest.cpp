#include <gtest/gtest.h>

#include "Core/Job/ResultGroups.h"
#include "Platform/Foundation/Formatters.h"
#include "Support/TempDir.h"

using namespace core;

namespace {

SourceURLInfo record(const std::string& name) {
    SourceURLInfo r;
    r.strFileName = name;
    r.strFullPath = "/photos/" + name;
    return r;
}

}  // namespace

TEST(ResultGroups, FilesByPresetPositionNotByName) {
    const PresetInfo a{{"presetName", "Default"}, {"presetWidth", 100}};
    const PresetInfo b{{"presetName", "Default"}, {"presetWidth", 200}};  // same name, other preset
    const PresetInfo unnamed{{"markDummy", true}};
    std::vector<ResultGroupInfo> done;
    addResultToGroups(record("1.jpg"), a, 0, done);
    addResultToGroups(record("2.jpg"), b, 1, done);
    addResultToGroups(record("3.jpg"), a, 0, done);
    addResultToGroups(record("4.jpg"), unnamed, 2, done);
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(done[0].dataSub.size(), 2u);
    EXPECT_EQ(done[0].dimension, "Size: 100 X Auto Height");
    EXPECT_EQ(done[1].dataSub.size(), 1u);
    EXPECT_EQ(done[2].presetName, "");
    EXPECT_EQ(done[2].dimension, "");

    const auto rows = fillPresetResultRows({a, b, unnamed, PresetInfo{{"presetName", "none"}}}, 7, done);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].countDone, 2);
    EXPECT_EQ(rows[1].countDone, 1);
    EXPECT_EQ(rows[3].countDone, 0);
    EXPECT_EQ(rows[3].countTotal, 7);
}

TEST(ResultGroups, DoneGridSharingAndItemLookup) {
    const PresetInfo a{{"presetName", "A"}};
    const PresetInfo b{{"presetName", "B"}};
    const auto one = record("1.jpg"), two = record("2.jpg");
    auto written = one;
    written.strFinalOutputFilePath = "/out/1.jpg";
    std::vector<ResultGroupInfo> done, skipped;
    addResultToGroups(written, a, 0, done);
    addResultToGroups(two, a, 0, skipped, "unreadable");
    addResultToGroups(one, b, 1, skipped, "too small");
    addResultToGroups(two, b, 1, skipped, "too small");

    const auto grid = fillDoneResultsGrid({a, b}, {one, two}, done, false);
    ASSERT_EQ(grid.size(), 4u);
    EXPECT_EQ(grid[0].isSkipped, false);
    EXPECT_EQ(grid[0].urlInfo.strFinalOutputFilePath, "/out/1.jpg");
    EXPECT_EQ(grid[1].isSkipped, true);
    // Each preset's row sees only what that preset wrote.
    EXPECT_EQ(grid[2].isSkipped, true);
    EXPECT_TRUE(fillDoneResultsGrid({a, b}, {one, two}, done, true).empty());

    const auto rows = fillPresetResultRows({a, b}, 2, done);
    const auto shared = groupResultsByPresetAndDimension(rows, done, skipped);
    ASSERT_EQ(shared.size(), 2u);
    ASSERT_EQ(shared[0].dataSub.size(), 2u);
    EXPECT_EQ(shared[0].dataSub[0].isSkipped, false);
    EXPECT_EQ(shared[0].dataSub[1].isSkipped, true);
    EXPECT_EQ(shared[0].dataSub[1].skipReason, "unreadable");
    EXPECT_EQ(shared[1].dataSub.size(), 2u);

    EXPECT_TRUE(resultItems(-1, shared).empty());
    EXPECT_TRUE(resultItems(2, shared).empty());
    EXPECT_EQ(resultItems(1, shared).size(), 2u);
}

TEST(ResultGroups, ByteCountTextsAndFolderSize) {
    const std::string saved = foundation::defaultLocale();
    foundation::setDefaultLocale("en_US");
    EXPECT_EQ(formattedByteCount(0), "0.00 bytes");
    EXPECT_EQ(formattedByteCount(1024), "1024.00 bytes");
    EXPECT_EQ(formattedByteCount(1025), "1.00 KB");
    EXPECT_EQ(formattedByteCount(1024 * 1024), "1024.00 KB");
    EXPECT_EQ(formattedByteCount(1024 * 1024 + 1), "1.00 MB");
    EXPECT_EQ(formattedByteCount(UINT64_MAX), "16.00 EB");
    // The number follows the user's locale like every other number shown.
    foundation::setDefaultLocale("de_DE");
    EXPECT_EQ(formattedByteCount(1536), "1,50 KB");
    EXPECT_EQ(formattedByteCount(1024), "1024,00 bytes");
    foundation::setDefaultLocale(saved);

    testsupport::TempDir dir;
    dir.write("a.jpg", std::string(1000, 'x'));
    dir.write("sub/b.jpg", std::string(500, 'x'));
    dir.write(".hidden/c.jpg", std::string(4000, 'x'));
    dir.write(".d.jpg", std::string(4000, 'x'));
    const auto total = folderSize(dir.path());
    EXPECT_GE(total, 1500u);
    EXPECT_LT(total, 1500u + 8192u);  // the sub-folder counts with its own size, hidden entries not at all
    EXPECT_EQ(folderSize(std::nullopt), 0u);
    EXPECT_EQ(fileSize(""), 0u);
    EXPECT_EQ(fileSize((dir / "missing").string()), 0u);
}
