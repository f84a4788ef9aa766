// vorta-batch: runs one job of the batch engine without a window, for tests and benchmarks.
//
//   vorta-batch --output DIR [--preset NAME]... [--presets-json JSON] [--format EXT] [--threads N]
//               [--watermark-text TEXT] [--watermark-position N] [--watermark-alpha A]
//               [--settings FILE] [--cancel-after N] [--hold-write[=for-ever]] INPUT...
//   vorta-batch --help
//
// --cancel-after N cancels the job once N images are done and prints how long the cancel took to end
// the job. --hold-write holds every file written, whole but under its temporary name, until the job
// is stopped, and prints "holding" when it holds the first; with =for-ever it never lets go, as a disk
// that stopped answering: for tests that stop the runner while a file is being written.
//
// SIGTERM or SIGINT stops the runner as it stops the application: the job is cancelled, the file
// being written is finished (or, when that takes longer than 30 s, removed), a line says the runner
// was stopped, and it exits with 128 + the signal's number (143 for SIGTERM). A second signal ends
// the wait at once, the unfinished files removed, with the same status. A file-size limit (ulimit -f)
// never ends it: the write that crosses the limit fails, and its image is skipped with the reason.
//
// Presets are built-in ones by name ("SD", "HD", ...) or a JSON array of preset dictionaries. Inputs are
// image files and folders. Prints one line per image and preset, then a summary. Exit status 0 when the
// job ran (even with skipped images), 1 when it could not run (no folder for temporary files among
// them: TMPDIR naming no folder is said, not crashed on), 2 for bad arguments.

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Core/Job/BatchEngine.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Job/SourceCollection.h"
#include "Core/Records/DefaultPresets.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/FileSizeSignal.h"
#include "Platform/Dispatch/ManualQueue.h"
#include "Platform/Dispatch/TerminationRequests.h"
#include "Platform/Foundation/PlistValue.h"

namespace {

// Knows when the job has ended, and cancels it on request; the engine's results are read afterwards.
class EndWatcher final : public core::ActivityScreen {
  public:
    bool ended = false;
    std::string error;
    core::BatchEngine* engine = nullptr;
    int cancelAfter = 0;
    std::optional<std::chrono::steady_clock::time_point> cancelledAt;

    // There is no panel to watch here: skip the previews at once, as a user may in the app, so that
    // presets with effects run unpaced.
    void showPreviewPanel() override { engine->setSkipPreview(true); }
    void reloadPresetTable(const std::vector<core::PresetInfo>&, int) override {}
    void prepareRing() override {}
    cg::Rect previewRectangle() const override { return {}; }
    void setRingProgress(double) override {}
    void showPresetHeader(const std::string&) override {}
    void loadProcessingList() override {}
    void removeFirstItem(bool) override {}
    void updateImageCountLabel(const std::vector<core::PresetInfo>&, int, int processed) override {
        if (cancelAfter > 0 && processed >= cancelAfter && !cancelledAt) {
            cancelledAt = std::chrono::steady_clock::now();
            engine->cancelActivity();
        }
    }
    void showLoadingPreview(const image::Image&, bool) override {}
    void showTargetFrame(const cg::Rect&, bool) override {}
    void previewPlaceholderImage(const image::Image&) override {}
    void previewWorkingImage(const image::Image&) override {}
    void previewEffectImage(const image::Image&) override {}
    void animateProcessedImageToFrame(const image::Image&, const cg::Rect&) override {}
    void showJobTotals(const std::string&, const std::string&) override {}
    void showDoneState(const std::vector<core::PresetInfo>&) override { ended = true; }
    void deliverNotification(const std::optional<std::string>&) override {}
    void showJobError(const std::string& message) override {
        error = message;
        ended = true;
    }
};

void printUsage(std::ostream& out) {
    out << "usage: vorta-batch --output DIR [--preset NAME]... [--presets-json JSON] [--format EXT]\n"
        << "                   [--threads N] [--watermark-text TEXT] [--watermark-position N]\n"
        << "                   [--watermark-alpha A] [--settings FILE] [--cancel-after N]\n"
        << "                   [--hold-write[=for-ever]] INPUT...\n"
        << "       vorta-batch --help\n";
}

int usage(const std::string& problem) {
    std::cerr << "vorta-batch: " << problem << "\n";
    printUsage(std::cerr);
    return 2;
}

std::optional<core::PresetInfo> builtInPreset(const std::string& name) {
    for (const auto& p : core::defaultPresets())
        if (core::presetName(p) == name) return p;
    return std::nullopt;
}

// How long a stop waits for the file being written, as the application's quit does.
constexpr auto kStopWaitBound = std::chrono::seconds(30);

// --hold-write: the writers wait here, their file whole under its temporary name.
struct HeldWrites {
    enum class Mode { None, UntilStopped, ForEver };
    std::atomic<Mode> mode{Mode::None};
    std::mutex mutex;
    std::condition_variable released;
    bool stopped = false;
    bool announced = false;
};

HeldWrites& heldWrites() {
    static HeldWrites held;
    return held;
}

void holdWrite(const std::filesystem::path&) {
    HeldWrites& held = heldWrites();
    std::unique_lock lock(held.mutex);
    if (!held.announced) {
        held.announced = true;
        std::cout << "holding" << std::endl;
    }
    held.released.wait(lock, [&] { return held.stopped && held.mode != HeldWrites::Mode::ForEver; });
}

void releaseHeldWrites() {
    HeldWrites& held = heldWrites();
    const std::lock_guard lock(held.mutex);
    held.stopped = true;
    held.released.notify_all();
}

const char* signalName(int signal) {
    return signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "a signal";
}

// The runner's own settings file, in the folder for temporary files; absent, with the reason said,
// when there is no such folder.
std::optional<std::filesystem::path> temporarySettingsFile() {
    std::error_code ec;
    const auto folder = std::filesystem::temp_directory_path(ec);
    if (ec || !std::filesystem::is_directory(folder, ec)) {
        const char* tmpdir = std::getenv("TMPDIR");
        std::cerr << "vorta-batch: there is no folder for temporary files"
                  << (tmpdir ? std::string(" (TMPDIR is \"") + tmpdir + "\", which names no folder)" : "")
                  << ": set TMPDIR to an existing folder\n";
        return std::nullopt;
    }
    return folder / ("vorta-batch-" + std::to_string(::getpid()) + ".json");
}

int run(int argc, char** argv) {
    std::vector<core::PresetInfo> presets;
    std::vector<std::filesystem::path> inputs;
    std::optional<std::filesystem::path> output, settings;
    std::optional<std::string> format;
    unsigned threads = 0;
    std::optional<core::WatermarkOptions> watermark;
    const auto watermarkOptions = [&]() -> core::WatermarkOptions& {
        if (!watermark) watermark.emplace();
        return *watermark;
    };
    int cancelAfter = 0;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string(argv[++i]);
        };
        if (arg == "--help") {
            // Asked for, the usage is the answer, not a complaint.
            printUsage(std::cout);
            return 0;
        }
        if (arg == "--output") {
            const auto v = value();
            if (!v) return usage("--output needs a folder");
            output = *v;
        } else if (arg == "--preset") {
            const auto v = value();
            if (!v) return usage("--preset needs a name");
            const auto preset = builtInPreset(*v);
            if (!preset) return usage("no built-in preset named \"" + *v + "\"");
            presets.push_back(*preset);
        } else if (arg == "--presets-json") {
            const auto v = value();
            const auto parsed = v ? foundation::PlistValue::fromJSON(*v) : std::nullopt;
            if (!parsed || !parsed->arrayIf()) return usage("--presets-json needs a JSON array of presets");
            for (const auto& e : *parsed->arrayIf()) {
                if (!e.dictionaryIf()) return usage("every preset must be a JSON object");
                presets.push_back(*e.dictionaryIf());
            }
        } else if (arg == "--format") {
            format = value();
            if (!format) return usage("--format needs an extension");
        } else if (arg == "--threads") {
            const auto v = value();
            threads = v ? static_cast<unsigned>(std::strtoul(v->c_str(), nullptr, 10)) : 0;
        } else if (arg == "--watermark-text") {
            const auto v = value();
            if (!v) return usage("--watermark-text needs a text");
            watermarkOptions().textWM = *v;
        } else if (arg == "--watermark-position") {
            const auto v = value();
            if (!v) return usage("--watermark-position needs a number");
            watermarkOptions().positionValue = std::atoi(v->c_str());
        } else if (arg == "--watermark-alpha") {
            const auto v = value();
            if (!v) return usage("--watermark-alpha needs a number");
            watermarkOptions().alphaValue = std::strtof(v->c_str(), nullptr);
        } else if (arg == "--cancel-after") {
            const auto v = value();
            cancelAfter = v ? std::atoi(v->c_str()) : 0;
            if (cancelAfter <= 0) return usage("--cancel-after needs a count above 0");
        } else if (arg == "--settings") {
            const auto v = value();
            if (!v) return usage("--settings needs a file");
            settings = *v;
        } else if (arg == "--hold-write") {
            heldWrites().mode = HeldWrites::Mode::UntilStopped;
        } else if (arg == "--hold-write=for-ever") {
            heldWrites().mode = HeldWrites::Mode::ForEver;
        } else if (arg.starts_with("--")) {
            return usage("unknown option " + arg);
        } else {
            inputs.emplace_back(arg);
        }
    }
    if (!output) return usage("no output folder");
    if (presets.empty()) return usage("no preset");
    if (inputs.empty()) return usage("no input");

    std::error_code ec;
    std::filesystem::create_directories(*output, ec);
    // The runner keeps its own settings so it never touches the user's.
    const auto settingsFile = settings ? settings : temporarySettingsFile();
    if (!settingsFile) return 1;
    auto defaults = std::make_shared<foundation::UserDefaults>(*settingsFile);
    const auto outputFolder = std::filesystem::absolute(*output, ec);
    if (ec || !core::storeOutputFolder(*defaults, outputFolder)) {
        std::cerr << "vorta-batch: the output folder " << *output << " cannot be used\n";
        return 1;
    }

    auto mainQueue = std::make_shared<dispatch::ManualQueue>("main");
    dispatch::Queue::setMainBackend(mainQueue);
    EndWatcher watcher;
    watcher.cancelAfter = cancelAfter;
    core::BatchEngine::Services services;
    services.defaults = defaults;
    services.parallelImages = threads;
    core::BatchEngine engine(&watcher, services);
    watcher.engine = &engine;
    engine.setSkipPreview(true);

    // From here a signal stops the job instead of ending the process where it stands.
    dispatch::TerminationRequests stopRequests;
    if (heldWrites().mode != HeldWrites::Mode::None) core::setTemporaryWrittenHook(holdWrite);
    int stopSignal = 0;
    std::optional<std::chrono::steady_clock::time_point> stopDeadline;
    // Ends the process without waiting longer; the job's unfinished files are removed on the way.
    const auto exitStopped = [&] {
        if (!settings) std::filesystem::remove(*settingsFile, ec);
        dispatch::exitAbandoningBackgroundWork(128 + stopSignal);
    };
    const auto lookForStopRequests = [&] {
        for (const int signal : stopRequests.take()) {
            if (stopSignal != 0) {
                std::cout << "vorta-batch: stopped at once by a second " << signalName(signal) << std::endl;
                exitStopped();
            }
            stopSignal = signal;
            stopDeadline = std::chrono::steady_clock::now() + kStopWaitBound;
            std::cout << "vorta-batch: stopping on " << signalName(signal)
                      << ": the job ends once the file being written is finished" << std::endl;
            engine.cancelActivity();
            releaseHeldWrites();
        }
        if (!stopDeadline) return;
        // Asked again each time: a job whose start was already on its way registers after the first.
        dispatch::cancelRunningJobs();
        if (std::chrono::steady_clock::now() >= *stopDeadline) {
            std::cout << "vorta-batch: the job did not stop within " << kStopWaitBound.count() << " s"
                      << std::endl;
            exitStopped();
        }
    };

    const auto start = std::chrono::steady_clock::now();
    core::JobParameters params;
    params.presets = presets;
    params.outputFormat = format;
    params.watermarkOptions = watermark;
    for (auto& record : core::walkSourceURLs(inputs, std::nullopt, std::nullopt))
        params.images.emplace_back(record);
    engine.startJob(params);
    mainQueue->runUntil(
        [&] {
            lookForStopRequests();
            return watcher.ended;
        },
        std::chrono::hours(24));
    mainQueue->runUntilIdle();
    const auto end = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(end - start).count();
    if (!settings) std::filesystem::remove(*settingsFile, ec);

    if (!watcher.error.empty()) {
        std::cout << "not run: " << watcher.error << std::endl;
        return 1;
    }
    std::size_t done = 0, skipped = 0;
    for (const auto& group : engine.mArrResizedGroupedData())
        for (const auto& item : group.dataSub) {
            ++done;
            std::cout << "done     [" << group.presetName << "] " << item.urlInfo.strFullPath << " -> "
                      << item.urlInfo.strFinalOutputFilePath << "\n";
        }
    for (const auto& group : engine.mArrSkippedGroupedData())
        for (const auto& item : group.dataSub) {
            ++skipped;
            std::cout << "skipped  [" << group.presetName << "] " << item.urlInfo.strFullPath << ": "
                      << item.skipReason << "\n";
        }
    const auto folder = engine.finalizeOutputFolder();
    std::cout << "job folder: " << (folder ? folder->string() : std::string("(none)")) << "\n"
              << done << " done, " << skipped << " skipped in " << seconds << " s ("
              << (seconds > 0 ? static_cast<double>(done) / seconds : 0.0) << " images/s)" << std::endl;
    if (watcher.cancelledAt) {
        std::cout << "cancelled at " << cancelAfter << " done; the job ended "
                  << std::chrono::duration<double>(end - *watcher.cancelledAt).count() << " s later"
                  << std::endl;
    }
    dispatch::Queue::setMainBackend(nullptr);
    if (stopSignal != 0) {
        std::cout << "vorta-batch: stopped by " << signalName(stopSignal) << std::endl;
        return 128 + stopSignal;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    dispatch::ignoreFileSizeSignal();
    const dispatch::BackgroundWorkScope backgroundWork;
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        // Whatever the environment does to the runner (a folder that goes, a disk that fills), it
        // says so and fails instead of aborting.
        std::cerr << "vorta-batch: " << e.what() << std::endl;
        return 1;
    }
}
