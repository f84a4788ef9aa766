#pragma once
// BatchJob: the state of one job, shared by the engine on the main queue and the job's workers. The
// parameters and decisions are fixed before the workers start; counters and flags are atomic; the
// growing lists are guarded by `mutex` and handed out only as copies. Internal to the engine.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Core/Crop/CropAnalyses.h"
#include "Core/Job/ActivityScreen.h"
#include "Core/Job/JobParameters.h"
#include "Core/Job/OutputFileSystem.h"
#include "Core/Job/Pacer.h"
#include "Core/Job/ResultInfo.h"
#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Platform/Image/DecodeBudget.h"

namespace dispatch {
class RunningJob;
}

namespace core {

class BatchEngine;

struct BatchJob : std::enable_shared_from_this<BatchJob> {
    // Fixed before the workers start.
    JobParameters params;
    bool copyOnlyFlag = false;
    cg::Rect previewRectangle;
    std::filesystem::path outputFolder;
    bool allowPortraitResize = false;
    unsigned parallelImages = 1;
    std::shared_ptr<foundation::UserDefaults> defaults;
    std::shared_ptr<Pacer> pacer;
    std::shared_ptr<const OutputFileSystem> fileSystem;
    bool hasScreen = false;
    BatchEngine* engine = nullptr;
    std::weak_ptr<bool> engineAlive;
    std::function<foundation::Date()> clock;  // empty: the system clock
    foundation::Date now() const { return clock ? clock() : foundation::Date::now(); }

    // Main queue only. The job's registration with the process's background work, held here after
    // the worker has let go of it until the job's totals are stored, so that quitting waits for them;
    // released as well when the engine that would store them goes or starts another job.
    std::shared_ptr<dispatch::RunningJob> untilTotalsStored;

    // The memory the images decoded at once may take, shared by the job's workers.
    image::DecodeBudget decodeBudget{image::DecodeBudget::defaultBytes()};
    // The faces and salient objects of each photo a smart crop has looked at, for its other presets.
    CropAnalyses cropAnalyses;

    // Changed by either side at any time.
    std::atomic<bool> isGotCancel{false};
    std::atomic<bool> bSkipPreview{false};
    std::atomic<bool> running{false};
    std::atomic<std::int64_t> visitedCount{0};
    std::atomic<std::int64_t> processedCount{0};

    // Guarded by `mutex`.
    mutable std::mutex mutex;
    std::vector<SourceURLInfo> arrImageSet;
    std::vector<SourceURLInfo> arrDoneImageSet;
    std::vector<SourceURLInfo> arrSkipImageSet;
    std::vector<ResultGroupInfo> mArrResizedGroupedData;
    std::vector<ResultGroupInfo> mArrSkippedGroupedData;
    std::optional<std::filesystem::path> strTargetFolder;
    std::filesystem::path jobFolder;  // empty until the worker has made it
    std::string strPresetRunningNow;
    std::int64_t intImgNumber = 0;
    std::vector<PresetInfo> presetsStarted;
    std::optional<foundation::Date> totalTime;

    // Runs `change` on the screen on the main queue, while the engine lives and this job is current.
    void postToScreen(std::function<void(ActivityScreen&)> change);
    // Runs `step` on the engine on the main queue, under the same conditions.
    void postToEngine(std::function<void(BatchEngine&)> step);

    // The worker: every preset over every image, then the hand-over to the main queue.
    void processAllImages();
};

}  // namespace core
