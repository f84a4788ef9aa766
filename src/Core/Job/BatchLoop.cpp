#include <algorithm>
#include <condition_variable>
#include <functional>
#include <iostream>
#include <system_error>
#include <thread>

#include "Core/Job/BatchEngine.h"
#include "Core/Job/BatchJob.h"
#include "Core/Job/ImageStep.h"
#include "Core/Job/JobDecisions.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Job/ResultGroups.h"
#include "Core/Job/TargetSize.h"
#include "Core/Rename/SafeName.h"
#include "Extensions/AppGlobals.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Image/VipsRuntime.h"

namespace core {

namespace {

// Visited counts at which a job showing previews takes a one-second breath.
bool isPacingPoint(std::int64_t visited) {
    static constexpr std::int64_t points[] = {200, 400, 700, 1000, 1300, 1600, 2000};
    return std::find(std::begin(points), std::end(points), visited) != std::end(points);
}

bool isBlank(const std::string& s) {
    return s.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string positionText(const std::vector<PresetInfo>& presets, std::size_t index) {
    if (presets.size() < 2) return {};
    const auto first = std::find(presets.begin(), presets.end(), presets[index]) - presets.begin();
    return "  (" + std::to_string(first + 1) + "/" + std::to_string(presets.size()) + ")";
}

}  // namespace

void BatchJob::processAllImages() {
    // Stopped before it began (the application quit while it was starting): nothing is made, not
    // even its folder, and the output folder setting stays as it was.
    if (isGotCancel) {
        postToEngine([self = shared_from_this()](BatchEngine& engine) { engine.addPhotosToTotal(self); });
        return;
    }
    std::string error;
    const auto jobFolder = createFreshFolder(outputFolder / jobFolderName(appName().value_or("Vorta"), now()),
                                             &error, *fileSystem);
    if (!jobFolder) {
        postToEngine([self = shared_from_this(), error](BatchEngine& engine) {
            engine.endWithError(self, "The job folder could not be made: " + error);
        });
        return;
    }

    std::vector<SourceURLInfo> images;
    {
        const dispatch::VisibleLock lock(mutex);
        images = arrImageSet;
        this->jobFolder = *jobFolder;
    }
    const auto& presets = params.presets;
    const double totalSteps = static_cast<double>(images.size() * presets.size());

    const auto postRing = [this, totalSteps] {
        const double f = totalSteps > 0 ? static_cast<double>(visitedCount) / totalSteps : 1.0;
        postToScreen([f](ActivityScreen& s) { s.setRingProgress(f); });
    };

    for (std::size_t k = 0; k < presets.size(); ++k) {
        const PresetInfo& preset = presets[k];
        postToScreen([](ActivityScreen& s) { s.loadProcessingList(); });
        const std::string name = presetName(preset);
        const std::string shown = isBlank(name) ? (copyOnlyFlag ? "Renaming" : "Default") : name;
        const std::string header = shown + positionText(presets, k);
        {
            const dispatch::VisibleLock lock(mutex);
            strPresetRunningNow = shown;
            presetsStarted.push_back(preset);
        }
        if (images.empty()) continue;

        ImageStepInput input;
        input.preset = &preset;
        input.presetIndex = static_cast<std::int64_t>(k);
        input.fallbackSize = presetFallbackSize(preset);
        input.actionType = presetActionType(preset);
        input.placeholder = isPlaceholderPreset(preset);
        input.saliencyWanted =
            params.forcePreview.value_or(false) || presetBool(preset, presetkey::autoSaliency);
        // A job stopped before this preset makes no folder for it and leaves the output setting on
        // the last folder that holds results.
        const bool stopped = isGotCancel;
        std::optional<std::filesystem::path> presetFolder = *jobFolder;
        std::string folderError;
        if (presets.size() >= 2 && !stopped)
            presetFolder =
                createFreshFolder(*jobFolder / safePathComponent(name, "Preset"), &folderError, *fileSystem);
        if (presetFolder && !stopped) {
            input.presetFolder = *presetFolder;
            {
                const dispatch::VisibleLock lock(mutex);
                strTargetFolder = *presetFolder;
            }
            defaults->set("UDTargetFolder", foundation::PlistValue(presetFolder->string()));
        }

        // Before an image is worked on: the header and the processing list follow the job.
        const auto announce = [&](std::size_t i) {
            {
                const dispatch::VisibleLock lock(mutex);
                intImgNumber = static_cast<std::int64_t>(i) + 1;
            }
            postToScreen([header](ActivityScreen& s) { s.showPresetHeader(header); });
            if (!input.saliencyWanted) {
                const bool animated = !bSkipPreview;
                postToScreen([animated](ActivityScreen& s) { s.removeFirstItem(animated); });
            }
        };
        const auto compute = [&](std::size_t i) {
            if (!presetFolder) {
                return ImageStepOutcome{ImageStepOutcome::Kind::Skipped,
                                        images[i],
                                        "the preset's folder could not be made: " + folderError,
                                        {},
                                        {}};
            }
            ImageStepInput one = input;
            one.record = images[i];
            return processImageStep(*this, one);
        };
        // Names one image's file, files its result and reports it, in image order.
        const auto commit = [&](ImageStepOutcome finished, bool cancelled) {
            const auto outcome = nameOutputFile(std::move(finished), *fileSystem);
            ++visitedCount;
            {
                const dispatch::VisibleLock lock(mutex);
                const bool done = outcome.kind == ImageStepOutcome::Kind::Done;
                (done ? arrDoneImageSet : arrSkipImageSet).push_back(outcome.record);
                addResultToGroups(outcome.record, preset, input.presetIndex,
                                  done ? mArrResizedGroupedData : mArrSkippedGroupedData, outcome.reason);
            }
            if (!outcome.reason.empty() && !cancelled)
                std::cout << "Skipped " << outcome.record.strFullPath << ": " << outcome.reason << std::endl;
            if (outcome.kind == ImageStepOutcome::Kind::Done ||
                outcome.kind == ImageStepOutcome::Kind::Skipped) {
                const auto processed = ++processedCount;
                std::vector<PresetInfo> started;
                {
                    const dispatch::VisibleLock lock(mutex);
                    started = presetsStarted;
                }
                const int count = static_cast<int>(images.size());
                postToScreen([started, count, processed](ActivityScreen& s) {
                    s.updateImageCountLabel(started, count, static_cast<int>(processed));
                });
            }
            postRing();
        };
        const auto cancelledOutcome = [&](std::size_t i) {
            return ImageStepOutcome{ImageStepOutcome::Kind::Cancelled, images[i], "cancelled", {}, {}};
        };

        const unsigned workers = bSkipPreview ? std::min<unsigned>(parallelImages, images.size()) : 1;
        if (workers <= 1) {
            for (std::size_t i = 0; i < images.size(); ++i) {
                if (isGotCancel) {
                    commit(cancelledOutcome(i), true);
                    continue;
                }
                announce(i);
                auto outcome = compute(i);
                const bool handled = outcome.kind == ImageStepOutcome::Kind::Done ||
                                     outcome.kind == ImageStepOutcome::Kind::Skipped;
                const bool stoppedWaiting = outcome.kind == ImageStepOutcome::Kind::Cancelled;
                commit(std::move(outcome), stoppedWaiting);
                if (handled && !bSkipPreview) {
                    if (isPacingPoint(visitedCount)) {
                        pacer->pause(1.0);
                    } else if (!input.placeholder) {
                        pacer->pause(0.0);
                    }
                }
            }
            continue;
        }

        // Without previews, several images are worked on at once; results are still filed and
        // reported in image order. The cores are shared out between the images in flight.
        const image::PipelineThreadsScope threadsPerImage(std::max(1u, std::thread::hardware_concurrency()) /
                                                          workers);
        std::vector<std::optional<std::pair<ImageStepOutcome, bool>>> slots(images.size());
        std::mutex slotMutex;
        std::size_t nextToTake = 0, nextToCommit = 0;
        // The last few images begin at once, beside the images in flight, rather than each when a worker
        // comes free: decoding is sequential within an image, so an image begun last would run alone on
        // one core while the others idle, and hold up the job's end. Sharing the cores, they end together.
        // At most half as many again as the workers are in flight, which bounds the memory they hold.
        std::vector<std::thread> lastImages;
        lastImages.reserve(workers / 2);
        bool lastImagesBegun = false;
        std::function<void()> work;
        work = [&] {
            for (;;) {
                std::size_t i;
                {
                    const dispatch::VisibleLock lock(slotMutex);
                    if (nextToTake >= images.size()) return;
                    i = nextToTake++;
                    const std::size_t waiting = images.size() - nextToTake;
                    if (!lastImagesBegun && waiting > 0 && waiting <= workers / 2) {
                        lastImagesBegun = true;
                        // Without another thread (a limit on threads or memory) the workers take them.
                        try {
                            for (std::size_t k = 0; k < waiting; ++k) lastImages.emplace_back(work);
                        } catch (const std::system_error&) {
                        }
                    }
                }
                const bool cancelled = isGotCancel;
                auto outcome = cancelled ? cancelledOutcome(i) : compute(i);
                if (!cancelled) image::returnFreedMemory();
                // A step may also stop while it waits for its share of the memory.
                const bool stopped = cancelled || outcome.kind == ImageStepOutcome::Kind::Cancelled;
                const dispatch::VisibleLock lock(slotMutex);
                slots[i].emplace(std::move(outcome), stopped);
                while (nextToCommit < slots.size() && slots[nextToCommit]) {
                    auto& [ready, wasCancelled] = *slots[nextToCommit];
                    if (!wasCancelled) announce(nextToCommit);
                    commit(std::move(ready), wasCancelled);
                    slots[nextToCommit].reset();
                    ++nextToCommit;
                }
            }
        };
        std::vector<std::thread> threads;
        for (unsigned t = 1; t < workers; ++t) threads.emplace_back(work);
        work();
        for (auto& t : threads) t.join();
        // Only the workers joined above begin the last images, so every one of those threads exists now.
        for (auto& t : lastImages) t.join();
    }

    postToEngine([self = shared_from_this()](BatchEngine& engine) { engine.addPhotosToTotal(self); });
}

}  // namespace core
