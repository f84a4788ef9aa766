#include <gtest/gtest.h>

#include "RunBatch.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using testsupport::runBatch;
using testsupport::TempDir;

TEST(BatchRunner, BuiltInAndCustomPresetsEndToEnd) {
    TempDir dir;
    for (int i = 0; i < 3; ++i)
        testsupport::writeTestImage(dir / ("in/photo" + std::to_string(i) + ".jpg"), 1600, 1200, i + 1);
    const auto result =
        runBatch("--output '" + (dir / "out").string() + "' --preset SD --presets-json " +
                 "'[{\"presetName\": \"Web\", \"presetWidth\": 1000, \"presetHeight\": 1000}]' '" +
                 (dir / "in").string() + "'");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("6 done, 0 skipped"), std::string::npos) << result.output;

    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    for (int i = 0; i < 3; ++i) {
        const auto name = "photo" + std::to_string(i) + ".jpg";
        EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "SD" / "in" / name), (std::pair{720, 480})) << name;
        EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "Web" / "in" / name), (std::pair{1000, 1000})) << name;
    }
}

TEST(BatchRunner, SaysWhyAJobCannotRun) {
    TempDir dir;
    EXPECT_EQ(runBatch("--preset SD").status, 2);
    EXPECT_EQ(runBatch("--output '" + dir.path().string() + "' --preset Nope x.jpg").status, 2);
    const auto empty = runBatch("--output '" + (dir / "out").string() + "' --preset SD '" +
                                (dir / "nothing").string() + "'");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.output.find("No images"), std::string::npos) << empty.output;
}

TEST(BatchRunner, SaliencyPresetAndTextWatermarkEndToEnd) {
    TempDir dir;
    testsupport::writeTestImage(dir / "in/photo.jpg", 1200, 900, 7);
    const auto result = runBatch(
        "--output '" + (dir / "out").string() + "' --watermark-text Vorta --watermark-position 29 " +
        "--presets-json '[{\"presetName\": \"Smart\", \"presetWidth\": 600, \"presetHeight\": 400, " +
        "\"autoSaliency\": true}]' '" + (dir / "in" / "photo.jpg").string() + "'");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("1 done, 0 skipped"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Position value : 29"), std::string::npos) << result.output;
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(testsupport::imageFileSize(jobs[0] / "photo.jpg"), (std::pair{600, 400}));
}
