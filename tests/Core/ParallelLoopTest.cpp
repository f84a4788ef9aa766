// The batch loop without previews works on several images at once. Whatever a user can see must
// still be what the one-image-at-a-time loop gives: these tests run the same job both ways.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Core/Job/BatchEngine.h"
#include "Core/Job/OutputFolder.h"
#include "Platform/Foundation/Formatters.h"
#include "RecordingScreen.h"
#include "Support/MainQueueFixture.h"
#include "Support/TempDir.h"
#include "TestImages.h"

using namespace core;
namespace fs = std::filesystem;

namespace {

PresetInfo sizedPreset(const std::string& name, double w, double h) {
    return {{"presetName", name},  {"presetWidth", w},          {"presetHeight", h},
            {"presetPercent", -1}, {"outputFormat", "Default"}, {"imageEffectFilter", ""}};
}

// Cancels the job once it has reported `after` images done.
class CancellingScreen : public testsupport::RecordingScreen {
  public:
    BatchEngine* engine = nullptr;
    int after = 0;
    int doneWhenCancelled = -1;
    void updateImageCountLabel(const std::vector<PresetInfo>& presets, int count, int processed) override {
        RecordingScreen::updateImageCountLabel(presets, count, processed);
        if (doneWhenCancelled < 0 && processed >= after) {
            doneWhenCancelled = processed;
            engine->cancelActivity();
        }
    }
};

// Everything of a finished job a user can notice, as text: results, screen updates and files.
std::string observed(const BatchEngine& engine, const testsupport::RecordingScreen& screen,
                     const fs::path& jobFolder) {
    std::ostringstream out;
    const auto relative = [&](const std::string& p) {
        return p.empty() ? std::string("-") : fs::path(p).lexically_relative(jobFolder).string();
    };
    out << "done:";
    for (const auto& r : engine.arrDoneImageSet())
        out << " " << r.strFileName << ">" << relative(r.strFinalOutputFilePath);
    out << "\nskipped:";
    for (const auto& r : engine.arrSkipImageSet()) out << " " << r.strFileName;
    for (const auto& g : engine.mArrResizedGroupedData()) {
        out << "\nresized " << g.presetName << " " << g.countDone << "/" << g.countTotal << ":";
        for (const auto& i : g.dataSub)
            out << " " << i.urlInfo.strFileName << ">" << relative(i.urlInfo.strFinalOutputFilePath);
    }
    for (const auto& g : engine.mArrSkippedGroupedData()) {
        out << "\nskipped " << g.presetName << " " << g.countDone << "/" << g.countTotal << ":";
        for (const auto& i : g.dataSub) out << " " << i.urlInfo.strFileName << " (" << i.skipReason << ")";
    }
    out << "\nheaders:";
    for (const auto& h : screen.headers) out << " " << h;
    out << "\nremovals: " << screen.removals.size() << "\nprocessed:";
    for (const int n : screen.processedCounts) out << " " << n;
    out << "\nring:";
    for (const double f : screen.ringProgress) out << " " << f;
    out << "\ncalls:";
    for (const auto& c : screen.calls) out << " " << c;
    out << "\nfiles:";
    std::vector<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(jobFolder))
        if (e.is_regular_file())
            files.push_back(e.path().lexically_relative(jobFolder).string() + ":" +
                            std::to_string(e.file_size() > 0));
    std::sort(files.begin(), files.end());
    for (const auto& f : files) out << " " << f;
    return out.str();
}

class ParallelLoopTest : public testsupport::MainQueueTest {
  protected:
    void SetUp() override {
        MainQueueTest::SetUp();
        foundation::setDefaultLocale("en_US");
    }

    fs::path source(const std::string& name, int w, int h, unsigned seed) const {
        const auto path = dir / "in" / name;
        testsupport::writeTestImage(path, w, h, seed);
        return path;
    }

    // Runs one job with `parallelImages` workers into an output folder of its own; returns the job folder.
    fs::path run(BatchEngine& engine, testsupport::RecordingScreen& screen, const std::string& outName,
                 std::vector<PresetInfo> presets, const std::vector<fs::path>& images,
                 std::optional<std::string> format = std::nullopt) {
        const auto out = dir / outName;
        fs::create_directories(out);
        EXPECT_TRUE(storeOutputFolder(*defaults, out));
        JobParameters params;
        params.presets = std::move(presets);
        params.outputFormat = std::move(format);
        for (const auto& p : images) params.images.emplace_back(p);
        engine.startJob(std::move(params));
        EXPECT_TRUE(mainQueue->runUntil([&] { return screen.doneState || !screen.error.empty(); },
                                        std::chrono::minutes(5)));
        mainQueue->runUntilIdle();
        std::vector<fs::path> folders;
        for (const auto& e : fs::directory_iterator(out)) folders.push_back(e.path());
        EXPECT_EQ(folders.size(), 1u);
        return folders.empty() ? out : folders.front();
    }

    std::unique_ptr<BatchEngine> makeEngine(testsupport::RecordingScreen& screen, unsigned parallelImages) {
        BatchEngine::Services services;
        services.parallelImages = parallelImages;
        services.defaults = defaults;
        services.pacer = pacer;
        services.now = [this] { return clock; };
        auto engine = std::make_unique<BatchEngine>(&screen, services);
        engine->setSkipPreview(true);
        return engine;
    }

    testsupport::TempDir dir;
    std::shared_ptr<foundation::UserDefaults> defaults =
        std::make_shared<foundation::UserDefaults>(dir / "settings.json");
    std::shared_ptr<CountingPacer> pacer = std::make_shared<CountingPacer>();
    foundation::Date clock{1'796'557'527};
};

}  // namespace

TEST_F(ParallelLoopTest, ResultsFilesAndScreenUpdatesAreThoseOfTheSequentialLoop) {
    // Mixed sizes: some too small for the first preset, one no picture at all, and two pairs whose outputs
    // want the same name, the slower image of each pair coming first.
    std::vector<fs::path> images;
    const int sizes[][2] = {{200, 150}, {90, 60},   {260, 120}, {130, 100}, {60, 200}, {400, 300}, {150, 150},
                            {100, 80},  {320, 240}, {121, 91},  {180, 400}, {50, 50},  {240, 180}, {300, 90}};
    for (int i = 0; i < 14; ++i)
        images.push_back(source("img" + std::to_string(i) + ".jpg", sizes[i][0], sizes[i][1], i + 1));
    images.insert(images.begin() + 3, source("same.png", 1400, 1000, 30));
    images.insert(images.begin() + 4, source("same.jpg", 130, 100, 31));
    images.insert(images.begin() + 9, source("twin.tif", 1200, 900, 32));
    images.insert(images.begin() + 10, source("twin.webp", 140, 100, 33));
    images.insert(images.begin() + 12, dir / "in" / "broken.jpg");
    std::ofstream(dir / "in" / "broken.jpg") << "not a picture";
    images.push_back(source("last.png", 160, 120, 34));
    ASSERT_EQ(images.size(), 20u);
    const std::vector<PresetInfo> presets = {sizedPreset("Small", 120, 90), sizedPreset("Narrow", 64, -1)};

    testsupport::RecordingScreen oneScreen;
    auto one = makeEngine(oneScreen, 1);
    const auto oneFolder = run(*one, oneScreen, "one", presets, images, "jpg");
    const auto sequential = observed(*one, oneScreen, oneFolder);

    testsupport::RecordingScreen manyScreen;
    auto many = makeEngine(manyScreen, 6);
    const auto manyFolder = run(*many, manyScreen, "many", presets, images, "jpg");
    const auto parallel = observed(*many, manyScreen, manyFolder);

    EXPECT_EQ(parallel, sequential);
    // The job really had all the cases it is meant to compare (the .jpg file that is no picture is
    // listed, and skipped with its reason under each preset).
    EXPECT_EQ(one->arrDoneImageSet().size() + one->arrSkipImageSet().size(), 40u);
    EXPECT_GE(one->arrSkipImageSet().size(), 6u);
    EXPECT_NE(sequential.find("same.jpg>Small/same (2).jpg"), std::string::npos) << sequential;
    EXPECT_NE(sequential.find("twin.webp>Narrow/twin (2).jpg"), std::string::npos) << sequential;
    EXPECT_EQ(sequential.find(".part"), std::string::npos) << sequential;
}

TEST_F(ParallelLoopTest, CancelInAThousandImageJobStopsBeforeTheImagesNotYetStarted) {
    const auto first = source("c0000.jpg", 48, 32, 7);
    std::vector<fs::path> images{first};
    for (int i = 1; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "c%04d.jpg", i);
        images.push_back(dir / "in" / name);
        fs::create_hard_link(first, images.back());
    }
    CancellingScreen screen;
    screen.after = 20;
    auto engine = makeEngine(screen, 6);
    screen.engine = engine.get();
    const auto jobFolder =
        run(*engine, screen, "out", {sizedPreset("A", 24, 16), sizedPreset("B", 12, -1)}, images);

    ASSERT_GE(screen.doneWhenCancelled, 20);
    const auto done = engine->arrDoneImageSet();
    const auto skipped = engine->arrSkipImageSet();
    EXPECT_EQ(done.size() + skipped.size(), 2000u);
    // Only the images already under way when the cancel came are finished: the job was cancelled in
    // its first preset, and every later image of it and all of the second preset are skipped.
    EXPECT_LT(done.size(), 1000u);
    const auto groups = engine->mArrSkippedGroupedData();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[1].dataSub.size(), 1000u);
    // Done images are the first ones, in order; the skipped ones follow them.
    for (std::size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i].strFullPath, images[i].string());
    for (std::size_t i = 0; i < 1000 - done.size(); ++i)
        EXPECT_EQ(skipped[i].strFullPath, images[done.size() + i].string());
    std::size_t files = 0;
    for (const auto& e : fs::recursive_directory_iterator(jobFolder)) files += e.is_regular_file();
    EXPECT_EQ(files, done.size());
    EXPECT_EQ(screen.ringProgress.back(), 1.0);
    EXPECT_TRUE(screen.doneState);
}
