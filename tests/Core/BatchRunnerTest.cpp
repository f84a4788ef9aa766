#include <gtest/gtest.h>

#include "RunBatch.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using testsupport::runBatch;
using testsupport::TempDir;

namespace {

std::string withoutRange(const std::string& bytes, std::size_t from, std::size_t count) {
    return bytes.substr(0, from) + bytes.substr(from + count);
}

// PNG chunk framing: length, type, data, checksum.
std::string pngChunk(const std::string& type, const std::string& data) {
    const auto be32 = [](std::uint32_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    std::uint32_t crc = 0xffffffffu;
    for (const unsigned char c : type + data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return be32(std::uint32_t(data.size())) + type + data + be32(crc ^ 0xffffffffu);
}

}  // namespace

TEST(BatchRunner, DamagedSourcesAreSkippedQuietlyAndHarmlessQuirksStillProcess) {
    TempDir dir;
    testsupport::writeTestImage(dir / "made/photo.jpg", 900, 700, 3);
    testsupport::writeTestImage(dir / "made/photo.png", 900, 700, 4);
    const std::string jpeg = TempDir::read(dir / "made/photo.jpg");
    const std::string png = TempDir::read(dir / "made/photo.png");
    const std::size_t scan = jpeg.find("\xff\xda");
    const std::size_t idat = png.find("IDAT");
    ASSERT_NE(scan, std::string::npos);
    ASSERT_NE(idat, std::string::npos);
    const std::size_t idatLength = (std::uint8_t(png[idat - 4]) << 24) | (std::uint8_t(png[idat - 3]) << 16) |
                                   (std::uint8_t(png[idat - 2]) << 8) | std::uint8_t(png[idat - 1]);
    std::string badChecksum = png;
    badChecksum[idat + 4 + idatLength] ^= 0x5a;

    struct Case {
        std::string name;
        std::string bytes;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"truncated.jpg", jpeg.substr(0, jpeg.size() / 2), true},
        {"cut-scan.jpg", withoutRange(jpeg, (scan + jpeg.size()) / 2, 3000), true},
        {"bad-checksum.png", badChecksum, true},
        {"truncated.png", png.substr(0, png.size() * 2 / 3), true},
        {"cut-in-header.png", png.substr(0, 40), true},
        {"byte-after-end.jpg", jpeg + std::string(1, '\0'), false},
        {"unknown-marker.jpg", jpeg.substr(0, 2) + "\xff\xe9" + std::string{0, 7} + "vorta" + jpeg.substr(2),
         false},
        {"unknown-chunk.png", png.substr(0, idat - 4) + pngChunk("vrTa", "note") + png.substr(idat - 4),
         false},
        {"intact.jpg", jpeg, false},
    };
    for (const auto& c : cases) dir.write("in/" + c.name, c.bytes);

    const auto errors = dir / "stderr.txt";
    const auto result = runBatch(
        "--output '" + (dir / "out").string() + "' --preset SD '" + (dir / "in").string() + "'", &errors);
    ASSERT_EQ(result.status, 0) << result.output;
    const std::string printed = TempDir::read(errors);
    EXPECT_TRUE(printed.empty()) << printed.substr(0, 600);
    std::vector<std::filesystem::path> jobs;
    for (const auto& e : std::filesystem::directory_iterator(dir / "out")) jobs.push_back(e.path());
    ASSERT_EQ(jobs.size(), 1u);
    for (const auto& c : cases) {
        const auto output = jobs[0] / "in" / c.name;
        const std::string skippedLine =
            "skipped  [SD] " + (dir / "in" / c.name).string() + ": the file is damaged";
        if (c.damaged) {
            EXPECT_NE(result.output.find(skippedLine), std::string::npos) << c.name << "\n" << result.output;
            EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
        } else {
            EXPECT_EQ(testsupport::imageFileSize(output), (std::pair{720, 480})) << c.name << "\n"
                                                                                 << result.output;
        }
    }
    EXPECT_NE(result.output.find("4 done, 5 skipped"), std::string::npos) << result.output;
    // Nothing but the finished outputs is left in the job folder.
    std::size_t files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(jobs[0])) files += e.is_regular_file();
    EXPECT_EQ(files, 4u);
}

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
