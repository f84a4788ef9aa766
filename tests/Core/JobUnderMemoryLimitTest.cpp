#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vips/vips8>

#include <optional>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/DecodeBudget.h"
#include "Support/ImageSurgery.h"
#include "Support/LargeMetadata.h"
#include "Support/Sanitizers.h"
#include "Support/TempDir.h"

using testsupport::TempDir;

namespace {

struct LimitedRun {
    int exitStatus = -1;  // -1 when a signal ended the runner
    long peakKilobytes = 0;
    std::string output;
};

// Runs the job runner on `input` with `arguments` in a child process whose `resource` (when given)
// is limited to 1,000,000 KB, as `ulimit` would, and reads its end and its peak resident memory.
LimitedRun runLimited(std::optional<int> resource, const std::vector<std::string>& arguments,
                      const TempDir& dir) {
    const auto runner = (foundation::executableDirectory() / "vorta-batch").string();
    const auto log = (dir / "runner.log").string();
    std::vector<std::string> words{runner, "--threads", "8"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(out, 2);
        const rlimit limit{1'000'000ull * 1024, 1'000'000ull * 1024};
        if (resource && ::setrlimit(*resource, &limit) != 0) ::_exit(127);
        ::execv(runner.c_str(), argv.data());
        ::_exit(127);
    }
    LimitedRun run;
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return run;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKilobytes = usage.ru_maxrss;
    run.output = TempDir::read(log);
    return run;
}

// Hard links of `file` named 1 .. `count` in a folder of their own, which is returned.
std::filesystem::path copiesOf(const std::filesystem::path& file, int count, const std::string& folder) {
    const auto into = file.parent_path() / folder;
    std::filesystem::create_directories(into);
    for (int i = 1; i <= count; ++i)
        std::filesystem::create_hard_link(file, into / (std::to_string(i) + file.extension().string()));
    return into;
}

vips::VImage smallPicture() {
    return (vips::VImage::black(64, 48, vips::VImage::option()->set("bands", 3)) + 90)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

std::string webpOf(const vips::VImage& picture) {
    VipsBlob* blob = picture.webpsave_buffer(vips::VImage::option()->set("strip", true));
    std::size_t size = 0;
    const auto* bytes = static_cast<const char*>(vips_blob_get(blob, &size));
    std::string webp(bytes, size);
    vips_area_unref(VIPS_AREA(blob));
    return webp;
}

// The lines of a run's output about the files of `folder`: each done or skipped for want of memory,
// never for anything else; and the output folder holds exactly the files done, no temporary. Returns
// how many were done.
int expectEachDoneOrOutOfMemory(const LimitedRun& run, const std::filesystem::path& folder, int count,
                                const std::filesystem::path& output, const std::string& what) {
    int done = 0, outOfMemory = 0;
    for (int i = 1; i <= count; ++i) {
        const auto name = (folder / std::to_string(i)).string() + ".";
        const auto at = run.output.find("] " + name);
        if (at == std::string::npos) {
            ADD_FAILURE() << what << ": " << name << "\n" << run.output;
            return done;
        }
        const auto line = run.output.substr(run.output.rfind('\n', at) + 1,
                                            run.output.find('\n', at) - run.output.rfind('\n', at) - 1);
        if (line.starts_with("done")) {
            ++done;
        } else if (line.find(": the image could not be read: memory ran out") != std::string::npos) {
            ++outOfMemory;
        } else {
            ADD_FAILURE() << what << ": " << line;
        }
    }
    EXPECT_EQ(done + outOfMemory, count) << what;
    int files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(output)) files += e.is_regular_file();
    EXPECT_EQ(files, done) << what << ": the output holds a file that is no image done\n" << run.output;
    return done;
}

}  // namespace

TEST(JobUnderMemoryLimit, HostileMetadataAndProgressiveGiantsNeitherAbortNorLeaveTemporaries) {
    // Each set in one 8-thread job under a 1,000,000 KB address-space limit and again under the same
    // data-segment limit: the loaders copy a metadata block several times through GLib, which ends the
    // process when an allocation fails, and a progressive 14000 x 14000 JPEG keeps 1.2 GB of
    // coefficients. The job ends normally; every image is done or skipped as running out of memory.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's shadow memory cannot map under the limit";
    TempDir dir;
    const auto picture = smallPicture();
    testsupport::writeTiffWithLargeTag(dir / "xmp.tif", 700, 1, 99ull << 20);
    const std::string metadata(100u << 20, 'x');
    dir.write("xmp.webp", testsupport::withWebpXmp(webpOf(picture), 64, 48, metadata));
    {
        auto heic = picture.copy();
        vips_image_set_blob_copy(heic.get_image(), "xmp-data", metadata.data(), metadata.size());
        heic.heifsave((dir / "xmp.heic").c_str(), vips::VImage::option()->set("compression", "hevc"));
    }
    dir.write("comment.gif", testsupport::withGifComment(testsupport::gifOfOneColour(64), 200u << 20));
    {
        const auto xy = vips::VImage::xyz(14000, 14000);
        vips::VImage::bandjoin({xy[0], xy[1], xy[0] + xy[1]})
            .cast(VIPS_FORMAT_UCHAR)
            .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
            .jpegsave((dir / "progressive.jpg").c_str(),
                      vips::VImage::option()
                          ->set("interlace", true)
                          ->set("subsample_mode", VIPS_FOREIGN_SUBSAMPLE_OFF));
    }
    struct Set {
        std::string file;
        int count;
        std::string preset;
        bool allDone = false;  // its metadata is left out before any loader copies it: it fits
    };
    const std::string half = "[{\"presetName\": \"Half\", \"presetPercent\": 50}]";
    const Set sets[] = {{"xmp.tif", 8, half, true},
                        {"comment.gif", 4, half},
                        {"xmp.webp", 8, half},
                        {"xmp.heic", 8, half},
                        {"progressive.jpg", 8, "[{\"presetName\": \"Small\", \"presetWidth\": 600}]"}};
    for (const auto& set : sets) {
        const auto folder = copiesOf(dir / set.file, set.count, set.file + "-set");
        for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
            const std::string what =
                set.file + (resource == RLIMIT_AS ? " under ulimit -v" : " under ulimit -d");
            const auto output = dir / "out";
            std::filesystem::remove_all(output);
            const auto run = runLimited(
                resource, {"--output", output.string(), "--presets-json", set.preset, folder.string()}, dir);
            ASSERT_EQ(run.exitStatus, 0) << what << "\n" << run.output;
            const int done = expectEachDoneOrOutOfMemory(run, folder, set.count, output, what);
            if (set.allDone) {
                EXPECT_EQ(done, set.count) << what << "\n" << run.output;
            }
        }
    }

    // Without a limit, the progressive JPEGs take turns within the decode budget.
    const auto output = dir / "out";
    std::filesystem::remove_all(output);
    const auto run = runLimited(
        std::nullopt,
        {"--output", output.string(), "--presets-json", "[{\"presetName\": \"Small\", \"presetWidth\": 600}]",
         (dir / "progressive.jpg-set").string()},
        dir);
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_NE(run.output.find("8 done, 0 skipped"), std::string::npos) << run.output;
    const auto budgetKilobytes = long(image::DecodeBudget::defaultBytes() / 1024);
    EXPECT_LE(run.peakKilobytes, budgetKilobytes + budgetKilobytes / 10)
        << "budget " << budgetKilobytes << " kB";
}

TEST(JobUnderMemoryLimit, ATiffWithA200MegabyteTagIsProcessedInLittleMemory) {
    // Collection, preview and job all read it: the whole run stays under 100 MB.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's allocator says nothing of this one's";
    TempDir dir;
    for (const auto& [tag, type] : std::vector<std::pair<int, int>>{{65000, 7}, {34675, 7}, {34737, 2}})
        testsupport::writeTiffWithLargeTag(dir / ("in/" + std::to_string(tag) + ".tif"), std::uint16_t(tag),
                                           std::uint16_t(type), 200ull << 20);
    const auto run =
        runLimited(std::nullopt,
                   {"--output", (dir / "out").string(), "--presets-json",
                    "[{\"presetName\": \"Half\", \"presetPercent\": 50}]", (dir / "in").string()},
                   dir);
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_NE(run.output.find("3 done, 0 skipped"), std::string::npos) << run.output;
    EXPECT_LT(run.peakKilobytes, 100 * 1024);
}
