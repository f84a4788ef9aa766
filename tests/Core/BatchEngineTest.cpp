#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <thread>

#include <sys/fsuid.h>
#include <unistd.h>

#include "Core/Job/BatchEngine.h"
#include "Core/Job/FolderWalk.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Job/ResultGroups.h"
#include "Core/Job/SourceCollection.h"
#include "Core/Records/DefaultPresets.h"
#include "Core/Records/SharedLists.h"
#include "GreyTiff.h"
#include "Platform/Foundation/Formatters.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/ImageLoading.h"
#include "Platform/Image/Thumbnail.h"
#include "Platform/Image/VipsImage.h"
#include "RecordingScreen.h"
#include "Support/MainQueueFixture.h"
#include "Support/OtherUser.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using namespace core;
using foundation::PlistValue;
using testsupport::RecordingScreen;
using testsupport::TempDir;

namespace {

// Generous: a loaded machine may take long over a HEIF encode, and a test that gives up early
// destroys its engine under a running job.
constexpr std::chrono::seconds kJobTimeout{180};

// Cancels the job the first time the worker pauses.
class CancellingPacer : public Pacer {
  public:
    std::atomic<BatchEngine*> engine{nullptr};
    std::atomic<int> pauses{0};
    void pause(double) override {
        if (++pauses == 1 && engine) engine.load()->cancelActivity();
    }
};

PresetInfo sizedPreset(const std::string& name, double w, double h) {
    return {{"presetName", name},  {"presetWidth", w},          {"presetHeight", h},
            {"presetPercent", -1}, {"outputFormat", "Default"}, {"imageEffectFilter", ""}};
}

std::vector<std::filesystem::path> filesBelow(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
}

struct TiffPage {
    int width = 0, height = 0;
    std::uint16_t compression = 1;  // 1: none
};

// A little-endian TIFF of 8-bit RGB pages, one strip each, stored uncompressed whatever `compression`
// says, each a horizontal ramp: a page pyramid when each page is half the one before.
std::string tiffOfPages(const std::vector<TiffPage>& pages) {
    const auto le = [](std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xff);
        return out;
    };
    std::string pixels;
    std::vector<std::uint32_t> stripAt;
    for (const auto& page : pages) {
        stripAt.push_back(8 + std::uint32_t(pixels.size()));
        std::string row;
        for (int x = 0; x < page.width; ++x) row += {char(x * 255 / page.width), char(100), char(128)};
        for (int y = 0; y < page.height; ++y) pixels += row;
    }
    constexpr std::uint32_t kEntries = 10, kDirectory = 2 + 12 * kEntries + 4;
    const std::uint32_t directoriesAt = 8 + std::uint32_t(pixels.size());
    const std::uint32_t bitsAt = directoriesAt + kDirectory * std::uint32_t(pages.size());
    std::string out = std::string("II*\0", 4) + le(directoriesAt, 4) + pixels;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto& page = pages[i];
        const auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t value) {
            return le(tag, 2) + le(type, 2) + le(1, 4) + le(value, 4);
        };
        out += le(kEntries, 2) + entry(256, 4, page.width) + entry(257, 4, page.height) + le(258, 2) +
               le(3, 2) + le(3, 4) + le(bitsAt + 6 * std::uint32_t(i), 4) + entry(259, 3, page.compression) +
               entry(262, 3, 2) + entry(273, 4, stripAt[i]) + entry(277, 3, 3) + entry(278, 4, page.height) +
               entry(279, 4, std::uint32_t(page.width) * page.height * 3) + entry(284, 3, 1) +
               le(i + 1 < pages.size() ? directoriesAt + kDirectory * std::uint32_t(i + 1) : 0, 4);
    }
    for (std::size_t i = 0; i < pages.size(); ++i) out += le(8, 2) + le(8, 2) + le(8, 2);
    return out;
}

class BatchEngineTest : public testsupport::MainQueueTest {
  protected:
    void SetUp() override {
        MainQueueTest::SetUp();
        foundation::setDefaultLocale("en_US");
        defaults = std::make_shared<foundation::UserDefaults>(dir / "settings.json");
        std::filesystem::create_directories(out());
        ASSERT_TRUE(storeOutputFolder(*defaults, out()));
    }

    std::filesystem::path out() const { return dir / "out"; }
    std::filesystem::path source(const std::string& name, int w, int h, unsigned seed = 1) const {
        const auto path = dir / "in" / name;
        testsupport::writeTestImage(path, w, h, seed);
        return path;
    }

    std::unique_ptr<BatchEngine> makeEngine(bool skipPreview = true,
                                            std::shared_ptr<Pacer> withPacer = nullptr,
                                            unsigned parallelImages = 0,
                                            std::shared_ptr<const OutputFileSystem> fileSystem = nullptr) {
        BatchEngine::Services services;
        services.parallelImages = parallelImages;
        services.fileSystem = std::move(fileSystem);
        services.defaults = defaults;
        services.pacer = withPacer ? withPacer : pacer;
        services.now = [this] { return clock; };
        auto engine = std::make_unique<BatchEngine>(&screen, services);
        engine->setSkipPreview(skipPreview);
        return engine;
    }

    // Starts a job of the given paths and runs the main queue until it has finished.
    void run(BatchEngine& engine, std::vector<PresetInfo> presets, std::vector<std::filesystem::path> paths,
             std::function<void(JobParameters&)> adjust = {}) {
        JobParameters params;
        params.presets = std::move(presets);
        for (auto& p : paths) params.images.emplace_back(p);
        if (adjust) adjust(params);
        engine.resetForNewJob();
        engine.startJob(std::move(params));
        ASSERT_TRUE(
            mainQueue->runUntil([&] { return screen.doneState || !screen.error.empty(); }, kJobTimeout));
        mainQueue->runUntilIdle();
    }

    std::filesystem::path onlyJobFolder() const {
        std::vector<std::filesystem::path> folders;
        for (const auto& e : std::filesystem::directory_iterator(out())) folders.push_back(e.path());
        EXPECT_EQ(folders.size(), 1u);
        return folders.empty() ? out() : folders.front();
    }

    TempDir dir;
    std::shared_ptr<foundation::UserDefaults> defaults;
    RecordingScreen screen;
    std::shared_ptr<CountingPacer> pacer = std::make_shared<CountingPacer>();
    foundation::Date clock{1'796'557'527};
};

}  // namespace

TEST_F(BatchEngineTest, OnePresetWritesEveryImageIntoTheJobFolder) {
    const std::vector<std::filesystem::path> images = {
        source("a.jpg", 900, 600, 1), source("b.jpg", 800, 800, 2), source("c.png", 1200, 500, 3)};
    auto engine = makeEngine();
    run(*engine, {sizedPreset("SD", 720, 480)}, images);

    const auto job = onlyJobFolder();
    EXPECT_TRUE(job.filename().string().starts_with("Vorta | ")) << job;
    const auto files = filesBelow(job);
    ASSERT_EQ(files.size(), 3u);
    for (const auto& f : files) {
        EXPECT_EQ(f.parent_path(), job);
        EXPECT_EQ(testsupport::imageFileSize(f), (std::pair{720, 480})) << f;
    }
    EXPECT_EQ(files[2].extension(), ".png");
    EXPECT_EQ(defaults->string("UDTargetFolder"), job.string());
    EXPECT_EQ(engine->strTargetFolder(), job);
    EXPECT_EQ(defaults->integer("UDTotalPhotos"), 3);
    EXPECT_EQ(engine->arrDoneImageSet().size(), 3u);
    EXPECT_TRUE(engine->arrSkipImageSet().empty());
    const auto groups = engine->mArrResizedGroupedData();
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].dataSub.size(), 3u);
    EXPECT_EQ(groups[0].dataSub[0].urlInfo.strFinalOutputFilePath, files[0].string());
    EXPECT_EQ(screen.notifications, 1);
    EXPECT_EQ(screen.notificationTitle, "Vorta");
    EXPECT_EQ(screen.ringProgress.back(), 1.0);
    EXPECT_EQ(screen.durationText, "1 sec");
    EXPECT_TRUE(engine->bProcessCompleted());
    EXPECT_FALSE(engine->isRunning());
    // The originals are untouched.
    EXPECT_EQ(testsupport::imageFileSize(images[0]), (std::pair{900, 600}));
}

TEST_F(BatchEngineTest, PresetsGetTheirOwnFoldersInsideTheJobFolder) {
    const auto image = source("photo.jpg", 1000, 800);
    auto engine = makeEngine();
    run(*engine,
        {sizedPreset("A", 400, -1), sizedPreset("B", -1, 300), sizedPreset("A", 200, -1),
         sizedPreset("../escape", 100, 100), sizedPreset("a/b", 60, 60), sizedPreset("..", 70, 70),
         sizedPreset("", 50, 50)},
        {image});

    const auto job = onlyJobFolder();
    const auto files = filesBelow(job);
    ASSERT_EQ(files.size(), 7u);
    EXPECT_TRUE(std::filesystem::exists(job / ".._escape" / "photo.jpg"));
    EXPECT_TRUE(std::filesystem::exists(job / "a_b" / "photo.jpg"));
    EXPECT_TRUE(std::filesystem::exists(job / "_" / "photo.jpg"));
    for (const auto& f : files) EXPECT_TRUE(isInside(f, job)) << f;
    EXPECT_TRUE(std::filesystem::exists(job / "A" / "photo.jpg"));
    EXPECT_TRUE(std::filesystem::exists(job / "A (2)" / "photo.jpg"));
    EXPECT_EQ(testsupport::imageFileSize(job / "A" / "photo.jpg"), (std::pair{400, 320}));
    EXPECT_EQ(testsupport::imageFileSize(job / "A (2)" / "photo.jpg"), (std::pair{200, 160}));
    // While portraits are not allowed, a height-only preset gives its size to a landscape's long side.
    EXPECT_EQ(testsupport::imageFileSize(job / "B" / "photo.jpg"), (std::pair{300, 240}));
    EXPECT_TRUE(std::filesystem::exists(job / "Preset" / "photo.jpg"));
    // The last preset's folder is remembered while the job folder is what Show in Finder opens.
    EXPECT_EQ(defaults->string("UDTargetFolder"), (job / "Preset").string());
    EXPECT_EQ(engine->finalizeOutputFolder(), job);
    // Headers name the running preset and its position.
    EXPECT_EQ(screen.headers.front(), "A  (1/7)");
    EXPECT_NE(std::find(screen.headers.begin(), screen.headers.end(), "Default  (7/7)"),
              screen.headers.end());
    EXPECT_NE(std::find(screen.headers.begin(), screen.headers.end(), "A  (3/7)"), screen.headers.end());
}

TEST_F(BatchEngineTest, AnExistingJobFolderIsNeverDeleted) {
    const auto image = source("photo.jpg", 400, 300);
    auto engine = makeEngine();
    run(*engine, {sizedPreset("W", 200, -1)}, {image});
    const auto first = onlyJobFolder();
    std::ofstream(first / "keep.txt") << "mine";

    screen.doneState = false;
    run(*engine, {sizedPreset("W", 200, -1)}, {image});  // same second, same name
    EXPECT_EQ(testsupport::TempDir::read(first / "keep.txt"), "mine");
    EXPECT_TRUE(std::filesystem::exists(first / "photo.jpg"));
    EXPECT_TRUE(std::filesystem::exists(first.string() + " (2)/photo.jpg"));
}

TEST_F(BatchEngineTest, CancelRecordsEveryRemainingImageAsSkipped) {
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 3; ++i) images.push_back(source("p" + std::to_string(i) + ".jpg", 600, 400, i + 1));
    auto cancelling = std::make_shared<CancellingPacer>();
    auto engine = makeEngine(false, cancelling);
    cancelling->engine = engine.get();
    run(*engine, {sizedPreset("A", 300, -1), sizedPreset("B", 200, -1)}, images);

    EXPECT_EQ(engine->arrDoneImageSet().size(), 1u);
    EXPECT_EQ(engine->arrSkipImageSet().size(), 5u);
    const auto skipped = engine->mArrSkippedGroupedData();
    ASSERT_EQ(skipped.size(), 2u);
    EXPECT_EQ(skipped[0].dataSub.size(), 2u);
    EXPECT_EQ(skipped[1].dataSub.size(), 3u);
    EXPECT_EQ(skipped[1].dataSub[0].skipReason, "cancelled");
    EXPECT_EQ(screen.ringProgress.back(), 1.0);
    EXPECT_EQ(defaults->integer("UDTotalPhotos"), 1);
    EXPECT_EQ(screen.notifications, 0);
    EXPECT_TRUE(screen.doneState);
    // The preset the cancel came before gets no folder, and the output setting names the last one made.
    std::vector<std::string> folders;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out()))
        if (entry.is_directory()) folders.push_back(entry.path().filename().string());
    EXPECT_EQ(folders.size(), 2u) << "the job's folder and A's";
    EXPECT_EQ(std::count(folders.begin(), folders.end(), "B"), 0);
    EXPECT_EQ(std::filesystem::path(defaults->string("UDTargetFolder").value_or("")).filename(), "A");

    // A new job right after runs to its end: the old cancel stays with the old job.
    screen = RecordingScreen();
    cancelling->engine = nullptr;
    run(*engine, {sizedPreset("C", 300, -1)}, images);
    EXPECT_EQ(engine->arrDoneImageSet().size(), 3u);
    EXPECT_FALSE(engine->isGotCancel());
    EXPECT_EQ(screen.notifications, 1);
}

TEST_F(BatchEngineTest, ImagesThatCannotBeDoneAreSkippedWithAReason) {
    const auto small = source("small.jpg", 100, 100);
    const auto text = dir.write("in/notes.jpg", "not an image at all");
    const auto good = source("good.jpg", 800, 600);
    SourceURLInfo missing;
    missing.fillFileDetails(dir / "in" / "gone.jpg");
    SourceURLInfo unreadable;
    unreadable.fillFileDetails(text);
    SourceURLInfo smallRecord, goodRecord;
    smallRecord.fillFileDetails(small);
    goodRecord.fillFileDetails(good);

    auto engine = makeEngine();
    JobParameters params;
    params.presets = {sizedPreset("SD", 720, 480)};
    params.images = {smallRecord, unreadable, missing, goodRecord};
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));

    EXPECT_EQ(engine->arrDoneImageSet().size(), 1u);
    const auto skipped = engine->mArrSkippedGroupedData();
    ASSERT_EQ(skipped.size(), 1u);
    ASSERT_EQ(skipped[0].dataSub.size(), 3u);
    for (const auto& item : skipped[0].dataSub) EXPECT_FALSE(item.skipReason.empty());
    EXPECT_EQ(screen.ringProgress.back(), 1.0);  // every image moved the ring
    EXPECT_EQ(defaults->integer("UDTotalPhotos"), 1);
    EXPECT_EQ(filesBelow(onlyJobFolder()).size(), 1u);
}

TEST_F(BatchEngineTest, AJobWithoutOutputFolderOrImagesEndsWithAMessage) {
    auto engine = makeEngine();
    run(*engine, {sizedPreset("SD", 720, 480)}, {});
    EXPECT_FALSE(screen.error.empty());
    EXPECT_FALSE(screen.doneState);
    // Over all the same: the tabs waiting for the job's end must not wait on.
    EXPECT_TRUE(engine->bProcessCompleted());
    EXPECT_FALSE(engine->isRunning());

    screen.error.clear();
    defaults->removeObject(kSavingLocationKey);
    auto unplaced = makeEngine();
    run(*unplaced, {sizedPreset("SD", 720, 480)}, {source("a.jpg", 800, 600)});
    EXPECT_NE(screen.error.find("output folder"), std::string::npos);
    EXPECT_TRUE(unplaced->bProcessCompleted());
    EXPECT_TRUE(std::filesystem::is_empty(out()));
    EXPECT_EQ(screen.notifications, 0);
}

TEST_F(BatchEngineTest, ACopyOnlyRunCopiesFilesUnchangedUnderTheirNewNamesCameraRawIncluded) {
    // A DNG, and a NEF's layout: sensor data kept as a colour-filter array. Decoding either gives its
    // small preview, so a resize skips them; a copy is the file itself.
    const auto a = source("a.jpg", 300, 200);
    const auto dng = dir.write("in/DSC_0001.dng",
                               coretest::greyTiff(300, 200, {{50706, 1, 4, std::string("\x01\x04\0\0", 4)}}));
    const auto nef =
        dir.write("in/DSC_0002.nef", coretest::greyTiff(300, 200, {{262, 3, 1, std::string("\x23\x80", 2)}}));
    const std::vector<std::pair<std::filesystem::path, std::string>> renames = {
        {a, "holiday-1.jpg"}, {dng, "holiday-2.dng"}, {nef, "holiday-3.nef"}};
    auto engine = makeEngine();
    JobParameters params;
    params.presets = {PresetInfo{{"markDummy", true}}};
    for (const auto& [file, renamed] : renames) {
        SourceURLInfo record;
        record.fillFileDetails(file);
        record.updatedUrl = dir / "in" / renamed;
        params.images.emplace_back(record);
    }
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));

    const auto job = onlyJobFolder();
    EXPECT_EQ(filesBelow(job).size(), 3u);
    for (const auto& [file, copy] : renames) {
        ASSERT_TRUE(std::filesystem::exists(job / copy)) << copy;
        EXPECT_EQ(TempDir::read(job / copy), TempDir::read(file)) << copy;
    }
    EXPECT_TRUE(engine->mArrSkippedGroupedData().empty());
    EXPECT_EQ(screen.headers.back(), "Renaming");
    EXPECT_EQ(engine->estimatedTimeActivity(), 0);
    EXPECT_EQ(defaults->integer("UDTotalTime"), 0);

    std::filesystem::remove_all(job);
    screen = RecordingScreen();
    auto resize = makeEngine();
    run(*resize, {sizedPreset("W", 150, -1)}, {a, dng, nef});
    ASSERT_EQ(filesBelow(onlyJobFolder()).size(), 1u);
    EXPECT_EQ(filesBelow(onlyJobFolder())[0].filename(), "a.jpg");
    const auto skipped = resize->mArrSkippedGroupedData();
    ASSERT_EQ(skipped.size(), 1u);
    ASSERT_EQ(skipped[0].dataSub.size(), 2u);
    for (const auto& item : skipped[0].dataSub)
        EXPECT_EQ(item.skipReason, "the file is a camera RAW file, which is not processed")
            << item.urlInfo.strFileName;
}

TEST_F(BatchEngineTest, OutputFormatChangesOnlyTheFileExtension) {
    const auto folderNamedJpg = dir / "in" / "jpg";
    testsupport::writeTestImage(folderNamedJpg / "jpg.jpg", 640, 480);
    auto engine = makeEngine();
    run(*engine, {sizedPreset("P", 320, 240)}, {folderNamedJpg / "jpg.jpg"},
        [](JobParameters& p) { p.outputFormat = "png"; });
    const auto files = filesBelow(onlyJobFolder());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename(), "jpg.png");
    EXPECT_EQ(TempDir::read(files[0]).substr(1, 3), "PNG");
}

TEST_F(BatchEngineTest, DroppedFoldersKeepTheirStructureAndNamesNeverCollide) {
    testsupport::writeTestImage(dir / "drop" / "Trip" / "photo.jpg", 500, 400, 1);
    testsupport::writeTestImage(dir / "drop" / "Trip" / "Day 2" / "photo.jpg", 500, 400, 2);
    testsupport::writeTestImage(dir / "drop" / "Trip" / ".hidden" / "secret.jpg", 500, 400, 3);
    testsupport::writeTestImage(dir / "drop" / "Trip" / ".secret.jpg", 500, 400, 3);
    testsupport::writeTestImage(dir / "drop" / "Trip" / "PHOTO.JPG", 500, 400, 4);
    dir.write("drop/Trip/readme.txt", "text");
    std::filesystem::create_directory_symlink(dir / "drop" / "Trip",
                                              dir / "drop" / "Trip" / "Day 2" / "loop");
    auto engine = makeEngine();
    std::optional<std::size_t> found;
    engine->collectSourceFiles({sizedPreset("W", 250, -1)}, {dir / "drop" / "Trip/"}, std::nullopt,
                               std::nullopt, [&](std::size_t n) { found = n; });
    ASSERT_TRUE(mainQueue->runUntil([&] { return found.has_value(); }, kJobTimeout));
    EXPECT_EQ(*found, 3u);
    const auto list = sharedImageList().snapshot();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].strRootPath, "Trip");
    EXPECT_EQ(list[0].strRelativePath, "Day 2");
    EXPECT_EQ(list[0].strFileName, "photo.jpg");
    EXPECT_EQ(list[1].strFileName, "PHOTO.JPG");
    EXPECT_EQ(list[2].strRelativePath, "");

    JobParameters params;
    params.presets = {sizedPreset("W", 250, -1)};
    for (const auto& r : list) params.images.emplace_back(r);
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));
    const auto job = onlyJobFolder();
    EXPECT_TRUE(std::filesystem::exists(job / "Trip" / "photo.jpg"));
    EXPECT_TRUE(std::filesystem::exists(job / "Trip" / "Day 2" / "photo.jpg"));

    // A drop that finds nothing keeps the list the user had.
    found.reset();
    engine->collectSourceFiles({sizedPreset("W", 250, -1)}, {dir / "drop" / "Trip" / "readme.txt"},
                               std::nullopt, std::nullopt, [&](std::size_t n) { found = n; });
    ASSERT_TRUE(mainQueue->runUntil([&] { return found.has_value(); }, kJobTimeout));
    EXPECT_EQ(*found, 0u);
    EXPECT_EQ(sharedImageList().count(), 3u);

    // A drop stopped while it is collected (its activity closed, its tab left) leaves the list alone:
    // it may be another tab's by the time the walk ends.
    found.reset();
    engine->collectSourceFiles({sizedPreset("W", 250, -1)}, {dir / "drop" / "Trip" / "Day 2"}, std::nullopt,
                               std::nullopt, [&](std::size_t n) { found = n; });
    engine->cancelActivity();
    EXPECT_FALSE(mainQueue->runUntil([&] { return found.has_value(); }, std::chrono::seconds(2)));
    EXPECT_EQ(sharedImageList().count(), 3u);
}

TEST_F(BatchEngineTest, ImagesAreKnownByTypeAndThoseNoReaderOpensAreListedAndSkippedWithAReason) {
    const auto drop = dir / "drop" / "Shoot";
    testsupport::writeTestImage(drop / "photo.JPG", 500, 400, 1);
    testsupport::writeTestImage(drop / "scan.png", 500, 400, 2);
    std::filesystem::rename(drop / "scan.png", drop / "scan-without-extension");
    dir.write("drop/Shoot/camera.raf", "FUJIFILMCCD-RAW 0201FF383501" + std::string(4096, '\x7f'));
    dir.write("drop/Shoot/camera.cr2", std::string("II*\0\x10\0\0\0CR\x02\0", 12) + std::string(4096, '\0'));
    dir.write("drop/Shoot/contact-sheet.pdf", "%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\n");
    dir.write("drop/Shoot/notes.txt", "shot list");
    const auto records = walkSourceURLs({drop}, std::nullopt, std::nullopt);
    std::vector<std::string> names;
    for (const auto& r : records) names.push_back(r.strFileName);
    EXPECT_EQ(names,
              (std::vector<std::string>{"camera.cr2", "camera.raf", "photo.JPG", "scan-without-extension"}));

    auto engine = makeEngine();
    JobParameters params;
    params.presets = {sizedPreset("W", 250, -1)};
    for (const auto& r : records) params.images.emplace_back(r);
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));
    EXPECT_EQ(engine->arrDoneImageSet().size(), 2u);
    const auto skipped = engine->mArrSkippedGroupedData();
    ASSERT_EQ(skipped.size(), 1u);
    ASSERT_EQ(skipped[0].dataSub.size(), 2u);
    for (const auto& item : skipped[0].dataSub) {
        EXPECT_EQ(item.skipReason, "the file is a camera RAW file, which is not processed")
            << item.urlInfo.strFileName;
    }
}

// A memory card's FAT file system: names with | : * ? " < > \ or a trailing dot or space are refused
// with EINVAL, and there are no hard links.
class FatLikeFileSystem : public OutputFileSystem {
  public:
    int makeFolder(const std::filesystem::path& path) const override {
        return refuses(path) ? EINVAL : system().makeFolder(path);
    }
    int placeFile(const std::filesystem::path& from, const std::filesystem::path& to) const override {
        if (refuses(to)) return EINVAL;
        std::error_code ec;
        if (std::filesystem::exists(to, ec)) return EEXIST;
        std::filesystem::rename(from, to, ec);
        return ec.value();
    }

  private:
    static bool refuses(const std::filesystem::path& path) {
        const std::string name = path.filename().string();
        return name.find_first_of("|:*?\"<>\\") != std::string::npos || name.ends_with(".") ||
               name.ends_with(" ");
    }
};

TEST_F(BatchEngineTest, OutputToAMemoryCardRetriesRefusedNamesWithThoseCharactersReplaced) {
    testsupport::writeTestImage(dir / "drop" / "Trip: day 1" / "sunset?.jpg", 500, 400, 1);
    testsupport::writeTestImage(dir / "drop" / "Trip: day 1" / "plain.jpg", 500, 400, 2);
    testsupport::writeTestImage(dir / "drop" / "Trip: day 1" / "plain .jpg", 500, 400, 3);
    const auto records = walkSourceURLs({dir / "drop" / "Trip: day 1"}, std::nullopt, std::nullopt);
    ASSERT_EQ(records.size(), 3u);

    auto engine = makeEngine(true, nullptr, 0, std::make_shared<FatLikeFileSystem>());
    JobParameters params;
    params.presets = {sizedPreset("Web <small>", 250, -1), sizedPreset("Print", 300, -1)};
    for (const auto& r : records) params.images.emplace_back(r);
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState || !screen.error.empty(); }, kJobTimeout));
    EXPECT_EQ(screen.error, "");
    EXPECT_EQ(engine->arrDoneImageSet().size(), 6u);

    // The job folder "Vorta | <date>" becomes "Vorta - <date>"; names the card takes are kept.
    const auto job = onlyJobFolder();
    EXPECT_TRUE(job.filename().string().starts_with("Vorta - ")) << job;
    std::vector<std::string> written;
    for (const auto& file : filesBelow(job)) written.push_back(file.lexically_relative(job).string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{
                           "Print/Trip- day 1/plain .jpg", "Print/Trip- day 1/plain.jpg",
                           "Print/Trip- day 1/sunset-.jpg", "Web -small-/Trip- day 1/plain .jpg",
                           "Web -small-/Trip- day 1/plain.jpg", "Web -small-/Trip- day 1/sunset-.jpg"}));
}

TEST(FolderWalk, GoesOnPastFoldersThatVanishOrCannotBeOpened) {
    TempDir dir(testsupport::placeNobodyReaches());
    const auto root = dir / "Trip";
    testsupport::writeTestImage(root / "a" / "1.jpg", 64, 48, 1);
    testsupport::writeTestImage(root / "b" / "2.jpg", 64, 48, 2);
    testsupport::writeTestImage(root / "c" / "3.jpg", 64, 48, 3);
    testsupport::writeTestImage(root / "d.jpg", 64, 48, 4);
    // Folder b vanishes while the walk is inside a, after the listing that named it.
    std::vector<std::string> visited;
    walkVisibleEntries(root, [&](const std::filesystem::directory_entry& entry) {
        visited.push_back(entry.path().lexically_relative(root).string());
        if (visited.back() == "a/1.jpg") std::filesystem::remove_all(root / "b");
    });
    EXPECT_EQ(visited, (std::vector<std::string>{"a", "a/1.jpg", "b", "c", "c/3.jpg", "d.jpg"}));
    EXPECT_GE(folderSize(root),
              std::filesystem::file_size(root / "c" / "3.jpg") + std::filesystem::file_size(root / "d.jpg"));

    // A folder that may not be opened. Modes do not bind root, so root walks as the user "nobody" (for
    // this thread's file access alone) over a tree that user owns.
    using testsupport::kNobody;
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::lchown(dir.path().c_str(), kNobody, kNobody), 0);
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
            ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0);
        ::setfsgid(kNobody);
        ::setfsuid(kNobody);
    }
    const bool walksAsNobody = asRoot && ::setfsuid(kNobody) == static_cast<int>(kNobody);
    std::error_code unreachable;
    std::filesystem::permissions(root / "a", std::filesystem::perms::none, unreachable);
    std::vector<std::string> names;
    for (const auto& r : walkSourceURLs({root}, std::nullopt, std::nullopt)) names.push_back(r.strFileName);
    std::filesystem::permissions(root / "a", std::filesystem::perms::owner_all, unreachable);
    if (asRoot) {
        ::setfsuid(0);
        ::setfsgid(0);
        if (!walksAsNobody) GTEST_SKIP() << "root may not walk as the user nobody, whom modes bind";
        if (unreachable)
            GTEST_SKIP() << "the user nobody may not reach " << dir.path() << " (" << unreachable.message()
                         << "), so a folder only modes close cannot be made";
    }
    EXPECT_EQ(names, (std::vector<std::string>{"3.jpg", "d.jpg"}));
}

namespace {

// Reads the engine's state on every call, as a real screen does while the worker runs.
class SnapshottingScreen : public RecordingScreen {
  public:
    const BatchEngine* engine = nullptr;
    std::size_t seen = 0;
    void setRingProgress(double f) override {
        RecordingScreen::setRingProgress(f);
        seen += engine->arrDoneImageSet().size() + engine->mArrResizedGroupedData().size() +
                engine->presetResultRows({}, 0).size() + engine->strPresetRunningNow().size();
    }
};

}  // namespace

TEST_F(BatchEngineTest, ManyImagesInParallelWithAScreenThatReadsAlong) {
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 50; ++i) images.push_back(source("p" + std::to_string(i) + ".jpg", 320, 240, i + 1));
    SnapshottingScreen reading;
    BatchEngine::Services services;
    services.defaults = defaults;
    services.pacer = pacer;
    services.parallelImages = 4;
    BatchEngine engine(&reading, services);
    reading.engine = &engine;
    engine.setSkipPreview(true);
    JobParameters params;
    params.presets = {sizedPreset("Small", 160, 120), sizedPreset("Smaller", 80, -1)};
    for (const auto& p : images) params.images.emplace_back(p);
    engine.startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return reading.doneState; }, kJobTimeout));
    EXPECT_EQ(engine.arrDoneImageSet().size(), 100u);
    // Results are filed in image order even when images finish out of order.
    const auto groups = engine.mArrResizedGroupedData();
    ASSERT_EQ(groups.size(), 2u);
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_EQ(groups[1].dataSub[i].urlInfo.strFileName, "p" + std::to_string(i) + ".jpg");
    EXPECT_EQ(reading.ringProgress.size(), 100u);
    EXPECT_EQ(reading.ringProgress.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(reading.ringProgress.begin(), reading.ringProgress.end()));
}

TEST_F(BatchEngineTest, PreviewsPaceTheWorkerAndAreSkippedWhenAskedTo) {
    const auto a = source("a.jpg", 800, 600), b = source("b.jpg", 800, 600, 2);
    auto engine = makeEngine(false);
    run(*engine, {sizedPreset("HD", 640, 360)}, {a, b});
    EXPECT_EQ(screen.count("showLoadingPreview"), 2);
    EXPECT_EQ(screen.count("showTargetFrame"), 2);
    EXPECT_EQ(screen.count("previewWorkingImage"), 2);
    // One second to look at each image, two at each result, then a yield after each image.
    EXPECT_EQ(pacer->pauses(), (std::vector<double>{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(screen.removals, (std::vector<bool>{true, true}));

    screen = RecordingScreen();
    auto fast = makeEngine(true);
    run(*fast, {sizedPreset("HD", 640, 360)}, {a, b});
    EXPECT_EQ(screen.count("showLoadingPreview"), 0);
    EXPECT_EQ(pacer->pauses().size(), 6u);  // nothing added
}

TEST_F(BatchEngineTest, APreviewThatCannotBeMadeLeavesTheJobsOwnVerdictAlone) {
    // A page pyramid whose half-size page is in a compression no decoder here reads: libvips makes a
    // preview from that page, and fails; the job reads the full-size page, which is whole. The same
    // full-size page alone is the undamaged original.
    const auto pyramid = dir.write("in/pyramid.tif", tiffOfPages({{1280, 960}, {640, 480, 40000}}));
    const auto original = dir.write("in/original.tif", tiffOfPages({{1280, 960}}));
    ASSERT_FALSE(image::thumbnail(pyramid, {640, 640}));
    ASSERT_TRUE(image::thumbnail(original, {640, 640}));

    auto engine = makeEngine(false);
    run(*engine, {sizedPreset("HD", 640, 360)}, {pyramid, original});
    EXPECT_EQ(screen.count("showLoadingPreview"), 1);  // the original's only
    EXPECT_TRUE(engine->mArrSkippedGroupedData().empty());
    ASSERT_EQ(engine->arrDoneImageSet().size(), 2u);
    const auto written = filesBelow(onlyJobFolder());
    ASSERT_EQ(written.size(), 2u);
    const auto fromPyramid = image::loadImage(written[1]);
    const auto fromOriginal = image::loadImage(written[0]);
    ASSERT_EQ(written[1].filename(), "pyramid.tif");
    ASSERT_TRUE(fromPyramid && fromOriginal);
    EXPECT_EQ(image::pixelSize(*fromPyramid), (cg::Size{640, 360}));
    EXPECT_EQ((image::toVips(*fromPyramid) - image::toVips(*fromOriginal)).abs().max(), 0);
}

TEST_F(BatchEngineTest, ImagesAlreadyAtTheTargetSizeGetTheirPreviewAndPauseToo) {
    const auto photo = source("photo.jpg", 640, 360);
    PresetInfo smart = sizedPreset("Smart", 640, 360);
    smart["autoSaliency"] = true;
    PresetInfo whole = sizedPreset("Percent", -1, -1);
    whole["presetPercent"] = 100;
    const std::vector<std::string> loadedThenResult = {"showLoadingPreview", "previewWorkingImage"};
    struct Case {
        PresetInfo preset;
        std::vector<std::string> previews;
        std::vector<double> pauses;
        bool showsPanel = false;  // the preset itself calls for the preview panel
    };
    const std::vector<Case> cases = {
        {sizedPreset("Same", 640, 360), loadedThenResult, {1, 2, 0}},
        {sizedPreset("Width", 640, -1), loadedThenResult, {1, 2, 0}},
        {sizedPreset("Height", -1, 360), loadedThenResult, {1, 2, 0}},
        {whole, loadedThenResult, {1, 2, 0}},
        // Saliency wanted: no pause at the loading preview, none at a crop that is not tried.
        {smart, loadedThenResult, {2, 0}, true},
    };
    const std::vector<std::string> previewCalls = {"showLoadingPreview",  "showTargetFrame",
                                                   "previewWorkingImage", "previewPlaceholderImage",
                                                   "previewEffectImage",  "animateProcessedImageToFrame"};
    for (const bool skipPreview : {false, true}) {
        for (const auto& c : cases) {
            // A preset that calls for the panel turns the previews on at its start.
            if (skipPreview && c.showsPanel) continue;
            const std::string name = presetName(c.preset) + (skipPreview ? " headless" : "");
            screen = RecordingScreen();
            pacer = std::make_shared<CountingPacer>();
            auto engine = makeEngine(skipPreview);
            run(*engine, {c.preset}, {photo});
            EXPECT_EQ(engine->arrDoneImageSet().size(), 1u) << name;
            EXPECT_EQ(screen.previewPanels, c.showsPanel ? 1 : 0) << name;
            std::vector<std::string> previews;
            std::copy_if(screen.calls.begin(), screen.calls.end(), std::back_inserter(previews),
                         [&](const std::string& call) {
                             return std::find(previewCalls.begin(), previewCalls.end(), call) !=
                                    previewCalls.end();
                         });
            EXPECT_EQ(previews, skipPreview ? std::vector<std::string>{} : c.previews) << name;
            EXPECT_EQ(pacer->pauses(), skipPreview ? std::vector<double>{} : c.pauses) << name;
        }
    }
}

TEST_F(BatchEngineTest, SmartCropImagesLeaveTheListOfImagesToDoWithOrWithoutPreviews) {
    // Flat photos: no salient region or face to crop to, so each falls back to a plain resize.
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 3; ++i) {
        images.push_back(dir / "in" / ("flat" + std::to_string(i) + ".jpg"));
        testsupport::writeTestImage(images.back(), 900, 600, i + 1, 0.0);
    }
    PresetInfo smart = sizedPreset("Smart", 450, 300);
    smart["autoSaliency"] = true;
    for (const bool previews : {false, true}) {
        SCOPED_TRACE(previews ? "previews" : "no previews");
        screen = RecordingScreen();
        screen.previewArea = {10, 20, 320, 0};
        screen.previewAreaOnceShowing = cg::Rect(10, 20, 320, 190);
        // A smart-crop job opens the preview panel; the user may skip it at once.
        auto engine = makeEngine(false);
        JobParameters params;
        params.presets = {smart};
        for (const auto& p : images) params.images.emplace_back(p);
        engine->startJob(std::move(params));
        if (!previews) engine->setSkipPreview(true);
        ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));
        mainQueue->runUntilIdle();
        EXPECT_EQ(engine->arrDoneImageSet().size(), 3u);
        // Each image leaves the list once: by flying to its frame, or (previews off) at once.
        EXPECT_EQ(screen.removals.size() + screen.flights.size(), 3u);
        if (previews) {
            EXPECT_EQ(screen.removals.size(), 0u);
            for (const auto& frame : screen.flights) EXPECT_EQ(frame, cg::Rect(10, 20, 320, 190));
        } else {
            EXPECT_EQ(screen.removals, (std::vector<bool>{false, false, false}));
        }
    }
}

TEST_F(BatchEngineTest, WritesHeicAndCropsToTheExactTargetSize) {
    const auto photo = source("photo.jpg", 1500, 1000);
    auto engine = makeEngine();
    PresetInfo square = sizedPreset("Square", 500, 500);
    square["outputFormat"] = "heic";
    PresetInfo fill = sizedPreset("Fill", 300, 300);
    fill["imageCrop"] = true;
    run(*engine, {square, fill}, {photo});
    const auto job = onlyJobFolder();
    const auto heic = job / "Square" / "photo.heic";
    ASSERT_TRUE(std::filesystem::exists(heic)) << filesBelow(job).front();
    EXPECT_EQ(TempDir::read(heic).substr(4, 4), "ftyp");
    EXPECT_EQ(testsupport::imageFileSize(heic), (std::pair{500, 500}));
    EXPECT_EQ(testsupport::imageFileSize(job / "Fill" / "photo.jpg"), (std::pair{300, 300}));
}

TEST_F(BatchEngineTest, SameNamesNeverOverwriteAndFailuresLeaveNothingBehind) {
    // Two sources named a.jpg from different folders, and an output file "Trip.png" where a later
    // image's folder should go.
    const auto first = dir / "in" / "one" / "a.jpg";
    const auto second = dir / "in" / "two" / "a.jpg";
    const auto bare = dir / "in" / "Trip";
    testsupport::writeTestImage(first, 202, 198, 1);
    testsupport::writeTestImage(second, 202, 198, 2);
    testsupport::writeTestImage(dir / "in" / "bare.png", 202, 198, 3);
    std::filesystem::rename(dir / "in" / "bare.png", bare);
    const auto inTrip = source("b.jpg", 202, 198, 4);
    std::vector<SourceURLInfo> records(4);
    records[0].fillFileDetails(first);
    records[1].fillFileDetails(second);
    records[2].fillFileDetails(bare);
    records[3].fillFileDetails(inTrip);
    records[3].strRootPath = "Trip.png";

    auto engine = makeEngine(true, nullptr, 1);  // one at a time, so the file comes before the folder
    JobParameters params;
    params.presets = {PresetInfo{{"presetName", "Half"}, {"presetPercent", 50}}};
    for (const auto& r : records) params.images.emplace_back(r);
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return screen.doneState; }, kJobTimeout));

    const auto job = onlyJobFolder();
    EXPECT_EQ(testsupport::imageFileSize(job / "a.jpg"), (std::pair{101, 99}));
    EXPECT_EQ(testsupport::imageFileSize(job / "a (2).jpg"), (std::pair{101, 99}));
    // Without an extension the output is PNG, and named so.
    EXPECT_EQ(testsupport::imageFileSize(job / "Trip.png"), (std::pair{101, 99}));
    const auto skipped = engine->mArrSkippedGroupedData();
    ASSERT_EQ(skipped.size(), 1u);
    ASSERT_EQ(skipped[0].dataSub.size(), 1u);
    EXPECT_NE(skipped[0].dataSub[0].skipReason.find("could not be made"), std::string::npos);
    EXPECT_EQ(engine->arrDoneImageSet().size(), 3u);
    // No temporary file is ever left in the output.
    for (const auto& f : filesBelow(out())) EXPECT_FALSE(f.filename().string().starts_with(".")) << f;
    EXPECT_EQ(filesBelow(out()).size(), 3u);
}

TEST_F(BatchEngineTest, ScreenCallsComeInTheOrderOfTheJob) {
    const auto a = source("a.jpg", 800, 600);
    auto engine = makeEngine(false);
    PresetInfo enhance = sizedPreset("HD", 640, 360);
    run(*engine, {enhance}, {a});
    const auto& c = screen.calls;
    const auto at = [&](const std::string& call) { return std::find(c.begin(), c.end(), call) - c.begin(); };
    EXPECT_LT(at("reloadPresetTable 1 1"), at("prepareRing"));
    EXPECT_LT(at("prepareRing"), at("loadProcessingList"));
    EXPECT_LT(at("loadProcessingList"), at("showLoadingPreview"));
    EXPECT_LT(at("showLoadingPreview"), at("showTargetFrame"));
    EXPECT_LT(at("showTargetFrame"), at("previewWorkingImage"));
    EXPECT_LT(at("previewWorkingImage"), at("showDoneState"));
    EXPECT_EQ(c.back(), "showDoneState");
    EXPECT_EQ(screen.processedCounts, std::vector<int>{1});
}

TEST_F(BatchEngineTest, AnEngineThatGoesAwayMidJobStopsItAndIsNeverCalledBack) {
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 40; ++i) images.push_back(source("p" + std::to_string(i) + ".jpg", 640, 480, i + 1));
    auto engine = makeEngine(true, nullptr, 2);
    JobParameters params;
    params.presets = {sizedPreset("Half", 320, 240)};
    for (const auto& p : images) params.images.emplace_back(p);
    engine->startJob(params);
    ASSERT_TRUE(mainQueue->runUntil([&] { return !screen.ringProgress.empty(); }, kJobTimeout));
    engine.reset();

    // The images in flight finish; the rest are never started. Wait until the output stops changing.
    std::size_t before = SIZE_MAX;
    for (int i = 0; i < 200; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const auto now = filesBelow(out()).size();
        if (now == before) break;
        before = now;
    }
    const auto callsBefore = screen.ringProgress.size();
    mainQueue->runUntilIdle();
    EXPECT_EQ(screen.ringProgress.size(), callsBefore) << "nothing reaches a screen whose engine is gone";
    EXPECT_LT(filesBelow(out()).size(), images.size());
    for (const auto& f : filesBelow(out())) EXPECT_FALSE(f.filename().string().starts_with(".")) << f;
}

TEST_F(BatchEngineTest, BuiltInEnhancingPresetsWriteEnhancedImages) {
    // A dark, flat photo: the "HD" preset enhances it; the same size without an effect does not.
    const auto photo = dir / "in" / "dark.png";
    testsupport::writeTestImage(photo, 1600, 900, 9, 0.2);
    auto engine = makeEngine();
    PresetInfo hd;
    for (const auto& p : defaultPresets())
        if (presetName(p) == "HD") hd = p;
    ASSERT_FALSE(hd.empty());
    run(*engine, {hd, sizedPreset("Plain", 1280, 720)}, {photo});
    const auto job = onlyJobFolder();
    const auto enhanced = TempDir::read(job / "HD" / "dark.png");
    const auto plain = TempDir::read(job / "Plain" / "dark.png");
    ASSERT_FALSE(enhanced.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(testsupport::imageFileSize(job / "HD" / "dark.png"), (std::pair{1280, 720}));
    EXPECT_TRUE(enhanced != plain) << "the enhanced image equals the plain one";
}
