#include "Core/Job/BatchEngine.h"

#include <algorithm>
#include <iostream>
#include <thread>

#include "Core/Job/BatchJob.h"
#include "Core/Job/JobDecisions.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Job/ResultGroups.h"
#include "Core/Job/SourceCollection.h"
#include "Extensions/AppGlobals.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Foundation/Formatters.h"

namespace core {

namespace {

// One image per core, each decoded and encoded on one thread, beat fewer images on more threads each:
// JPEG decoding and encoding are sequential inside an image, so only whole images keep every core busy.
// The upper bound keeps the memory of the images in flight bounded on very wide machines.
unsigned defaultParallelImages() {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp(cores, 1u, 16u);
}

}  // namespace

void BatchJob::postToScreen(std::function<void(ActivityScreen&)> change) {
    if (!hasScreen) return;
    postToEngine([change = std::move(change)](BatchEngine& engine) {
        if (auto* screen = engine.screen()) change(*screen);
    });
}

void BatchJob::postToEngine(std::function<void(BatchEngine&)> step) {
    dispatch::Queue::main().async(
        [alive = engineAlive, engine = engine, self = shared_from_this(), step = std::move(step)] {
            if (!alive.lock() || engine->job_ != self) return;
            step(*engine);
        });
}

BatchEngine::BatchEngine(ActivityScreen* screen) : BatchEngine(screen, Services{}) {}

BatchEngine::BatchEngine(ActivityScreen* screen, Services services)
    : screen_(screen), services_(std::move(services)), alive_(dispatch::makeVisiblyShared<bool>(true)) {
    if (!services_.pacer) services_.pacer = std::make_shared<SleepingPacer>();
    if (!services_.defaults) {
        // The standard settings live as long as the process; the pointer does not own them.
        services_.defaults = std::shared_ptr<foundation::UserDefaults>(&foundation::UserDefaults::standard(),
                                                                       [](foundation::UserDefaults*) {});
    }
    if (services_.parallelImages == 0) services_.parallelImages = defaultParallelImages();
    if (!services_.fileSystem) {
        services_.fileSystem = std::shared_ptr<const OutputFileSystem>(&OutputFileSystem::system(),
                                                                       [](const OutputFileSystem*) {});
    }
    resetForNewJob();
}

BatchEngine::~BatchEngine() {
    if (job_) {
        job_->isGotCancel = true;
        job_->untilTotalsStored.reset();
    }
    alive_.reset();
}

foundation::UserDefaults& BatchEngine::defaults() const {
    return *services_.defaults;
}

foundation::Date BatchEngine::now() const {
    return services_.now ? services_.now() : foundation::Date::now();
}

void BatchEngine::resetForNewJob() {
    // A job that is still running is stopped, never left to run unseen; its cancel flag stays its own.
    // Its totals are no longer this engine's to store.
    if (job_) {
        job_->isGotCancel = true;
        job_->untilTotalsStored.reset();
    }
    auto job = std::make_shared<BatchJob>();
    job->engine = this;
    job->engineAlive = alive_;
    job->defaults = services_.defaults;
    job->pacer = services_.pacer;
    job->hasScreen = screen_ != nullptr;
    job->parallelImages = services_.parallelImages;
    job->fileSystem = services_.fileSystem;
    job->clock = services_.now;
    job->bSkipPreview = skipPreview_;
    job_ = std::move(job);
}

void BatchEngine::cancelActivity() {
    job_->isGotCancel = true;
    if (collectionStopped_) *collectionStopped_ = true;
}

std::function<void()> BatchEngine::latestJobCanceller() const {
    return [weak = std::weak_ptr<BatchJob>(job_)] {
        if (auto job = weak.lock()) job->isGotCancel = true;
    };
}

void BatchEngine::setSkipPreview(bool skip) {
    skipPreview_ = skip;
    job_->bSkipPreview = skip;
}

bool BatchEngine::bSkipPreview() const {
    return job_->bSkipPreview;
}
bool BatchEngine::isGotCancel() const {
    return job_->isGotCancel;
}
bool BatchEngine::isRunning() const {
    return job_->running;
}

std::vector<SourceURLInfo> BatchEngine::arrImageSet() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->arrImageSet;
}
std::size_t BatchEngine::imageSetCount() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->arrImageSet.size();
}
std::vector<SourceURLInfo> BatchEngine::arrDoneImageSet() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->arrDoneImageSet;
}
std::vector<SourceURLInfo> BatchEngine::arrSkipImageSet() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->arrSkipImageSet;
}
std::vector<ResultGroupInfo> BatchEngine::mArrResizedGroupedData() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->mArrResizedGroupedData;
}
std::vector<ResultGroupInfo> BatchEngine::mArrSkippedGroupedData() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->mArrSkippedGroupedData;
}
std::optional<std::filesystem::path> BatchEngine::strTargetFolder() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->strTargetFolder;
}
std::string BatchEngine::strPresetRunningNow() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->strPresetRunningNow;
}
std::int64_t BatchEngine::intImgNumber() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->intImgNumber;
}
std::int64_t BatchEngine::userImgResizeTime() const {
    return job_->processedCount * 30;
}
std::optional<foundation::Date> BatchEngine::totalTime() const {
    const dispatch::VisibleLock lock(job_->mutex);
    return job_->totalTime;
}

std::vector<ResultGroupInfo> BatchEngine::presetResultRows(const std::vector<PresetInfo>& presets,
                                                           std::int64_t total) const {
    return fillPresetResultRows(presets, total, mArrResizedGroupedData());
}

std::vector<ResultItemInfo> BatchEngine::doneResultsGrid(const std::vector<PresetInfo>& presets,
                                                         bool renameTabSelected) const {
    return fillDoneResultsGrid(presets, arrImageSet(), mArrResizedGroupedData(), renameTabSelected);
}

std::vector<ResultGroupInfo> BatchEngine::groupedResults(const std::vector<ResultGroupInfo>& rows) const {
    return groupResultsByPresetAndDimension(rows, mArrResizedGroupedData(), mArrSkippedGroupedData());
}

std::optional<std::filesystem::path> BatchEngine::finalizeOutputFolder() const {
    return strTargetFolder();
}

void BatchEngine::collectSourceFiles(const std::vector<PresetInfo>& presets,
                                     const std::vector<std::filesystem::path>& urls,
                                     std::optional<std::string> baseName,
                                     std::optional<std::int64_t> startIndex,
                                     std::function<void(std::size_t)> completion) {
    if (presets.empty() || urls.empty()) return;
    std::weak_ptr<bool> alive = alive_;
    if (collectionStopped_) *collectionStopped_ = true;
    auto stopped = dispatch::makeVisiblyShared<std::atomic<bool>>(false);
    collectionStopped_ = stopped;
    dispatch::Queue::global().async(
        [alive, stopped, urls, baseName, startIndex, completion = std::move(completion)] {
            // A big folder (or one on a mount that hangs) takes long: quitting stops the walk.
            const dispatch::RunningCollection collection;
            auto records = walkSourceURLs(urls, baseName, startIndex, collection.cancelFlag());
            if (collection.isCancelled()) return;
            dispatch::Queue::main().async([alive, stopped, records = std::move(records), completion] {
                if (!alive.lock() || *stopped) return;
                publishImageList(records);
                if (completion) completion(records.size());
            });
        });
}

void BatchEngine::startJob(JobParameters params) {
    if (job_->running || job_->totalTime) resetForNewJob();
    auto job = job_;
    const bool showPanel = previewPanelWanted(params);
    job->params = std::move(params);
    if (showPanel && screen_) {
        setSkipPreview(false);
        screen_->showPreviewPanel();
    }
    if (job->params.presets.empty() || job->params.images.empty()) {
        // Nothing to process: say so at once instead of pretending a job ran.
        job->postToEngine([job](BatchEngine& engine) {
            engine.endWithError(job,
                                job->params.presets.empty() ? "No preset to run." : "No images to process.");
        });
        return;
    }
    job->running = true;
    loadImageSet(*job);
    job->postToEngine([job](BatchEngine& engine) { engine.beginProcessingOnMain(job); });
}

void BatchEngine::loadImageSet(BatchJob& job) {
    std::vector<SourceURLInfo> set;
    const auto& images = job.params.images;
    const bool allRecords = std::all_of(images.begin(), images.end(), [](const JobImage& i) {
        return std::holds_alternative<SourceURLInfo>(i);
    });
    const bool allPaths = std::all_of(images.begin(), images.end(), [](const JobImage& i) {
        return std::holds_alternative<std::filesystem::path>(i);
    });
    if (allRecords) {
        for (const auto& i : images) set.push_back(std::get<SourceURLInfo>(i));
    } else if (allPaths) {
        std::vector<std::filesystem::path> paths;
        for (const auto& i : images) paths.push_back(std::get<std::filesystem::path>(i));
        set = sourceInfosForURLs(paths, job.params.baseName, job.params.startIndex);
    }
    const dispatch::VisibleLock lock(job.mutex);
    job.arrImageSet = std::move(set);
}

void BatchEngine::beginProcessingOnMain(const std::shared_ptr<BatchJob>& job) {
    std::size_t imageCount;
    {
        const dispatch::VisibleLock lock(job->mutex);
        job->totalTime = now();
        imageCount = job->arrImageSet.size();
    }
    if (imageCount == 0) {
        endWithError(job, "No images to process.");
        return;
    }
    if (screen_) screen_->reloadPresetTable({job->params.presets.front()}, static_cast<int>(imageCount));
    runPresets(job);
}

void BatchEngine::runPresets(const std::shared_ptr<BatchJob>& job) {
    if (screen_) screen_->prepareRing();
    job->copyOnlyFlag = decideCopyOnly(job->params);
    const auto folder = resolveOutputFolder(defaults());
    if (!folder) {
        endWithError(
            job, "Choose an output folder first: the folder for the results is not set or no longer exists.");
        return;
    }
    job->outputFolder = *folder;
    job->allowPortraitResize = defaults().boolean("UD_Allow_Portrait_Resize");
    if (screen_) job->previewRectangle = screen_->previewRectangle();
    // Registered for as long as its worker runs and its totals are not yet stored, so that quitting
    // can stop it and wait for it, and remove what it was writing should the wait run out.
    const std::weak_ptr<BatchJob> weak = job;
    auto registration = std::make_shared<dispatch::RunningJob>(
        [weak] {
            if (auto running = weak.lock()) running->isGotCancel = true;
        },
        [weak] {
            auto running = weak.lock();
            if (!running) return;
            std::filesystem::path folder;
            {
                const dispatch::VisibleLock lock(running->mutex);
                folder = running->jobFolder;
            }
            if (!folder.empty()) removeTemporariesBelow(folder);
        },
        dispatch::RunningJob::Kind::Job,
        [weak] {
            const auto running = weak.lock();
            return !running || running->isGotCancel.load();
        });
    job->untilTotalsStored = registration;
    dispatch::Queue::global().async([job, registration] { job->processAllImages(); });
}

void BatchEngine::addPhotosToTotal(const std::shared_ptr<BatchJob>& job) {
    const auto stored = defaults().object("UDTotalPhotos");
    const std::int64_t before = (stored && stored->integerIf()) ? *stored->integerIf() : 0;
    const std::int64_t total = before + job->processedCount;
    job->postToEngine([job, total](BatchEngine& engine) { engine.storePhotoTotal(job, total); });
}

void BatchEngine::storePhotoTotal(const std::shared_ptr<BatchJob>& job, std::int64_t total) {
    defaults().set("UDTotalPhotos", foundation::PlistValue(total));
    defaults().synchronize();
    {
        const dispatch::VisibleLock lock(job->mutex);
        // A job stopped before it began made no folder.
        if (!job->jobFolder.empty()) job->strTargetFolder = job->jobFolder;
    }
    finishJob(job, !job->isGotCancel && job->processedCount > 0);
    // Photos and time are stored: quitting need not wait for this job any longer.
    job->untilTotalsStored.reset();
}

void BatchEngine::addTimeSaved(double elapsed) {
    const double saved = static_cast<double>(estimatedTimeActivity_) - elapsed;
    const auto stored = defaults().object("UDTotalTime");
    std::int64_t total = (stored && stored->integerIf()) ? *stored->integerIf() : 0;
    if (saved > 0) total += static_cast<std::int64_t>(saved);
    defaults().set("UDTotalTime", foundation::PlistValue(total));
    defaults().synchronize();
}

void BatchEngine::finishJob(const std::shared_ptr<BatchJob>& job, bool notify) {
    job->running = false;
    const auto folder = strTargetFolder();
    const std::string sizeText = formattedByteCount(folderSize(folder));
    const auto& presets = job->params.presets;
    const bool placeholderOnly = presets.size() == 1 && isPlaceholderPreset(presets.front());
    estimatedTimeActivity_ = (presets.empty() || placeholderOnly) ? 0 : userImgResizeTime();
    const auto start = totalTime().value_or(now());
    const double elapsed = std::max(1.0, now().timeIntervalSince(start));
    addTimeSaved(elapsed);
    const std::string durationText = foundation::formatDurationShort(elapsed);
    bProcessCompleted_ = true;
    if (screen_) {
        screen_->showJobTotals(durationText, sizeText);
        screen_->showDoneState(presets);
        if (notify) screen_->deliverNotification(appName());
    }
}

void BatchEngine::endWithError(const std::shared_ptr<BatchJob>& job, const std::string& message) {
    job->running = false;
    job->untilTotalsStored.reset();
    // The job is over, if unsuccessfully: the tabs that wait for it must not think it still runs.
    bProcessCompleted_ = true;
    std::cout << message << std::endl;
    if (screen_) screen_->showJobError(message);
}

}  // namespace core
