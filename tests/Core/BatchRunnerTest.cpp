#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

#include "Platform/Foundation/Bundle.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using testsupport::TempDir;

namespace {

struct RunResult {
    int status = -1;
    std::string output;
};

RunResult runBatch(const std::string& arguments) {
    const auto runner = foundation::executableDirectory() / "vorta-batch";
    const std::string command = "'" + runner.string() + "' " + arguments + " 2>&1";
    RunResult result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) result.output += buffer.data();
    result.status = WEXITSTATUS(::pclose(pipe.release()));
    return result;
}

}  // namespace

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
