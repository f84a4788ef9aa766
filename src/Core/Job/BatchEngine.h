#pragma once
// BatchEngine: runs jobs, presets over images, into a dated job folder, and keeps the state of the
// latest job (its image set, the done and skipped images, the results per preset, the folder). It is
// the engine half of the activity screen: the screen owns one and implements ActivityScreen.
//
// Threading: every public member is called on the main queue. A job's images are processed on the
// global queue; the engine reports to the screen only through blocks on the main queue, and drops
// them when the engine is gone or a newer job has started. Each job has its own cancel flag.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Job/ActivityScreen.h"
#include "Core/Job/JobParameters.h"
#include "Core/Job/OutputFileSystem.h"
#include "Core/Job/Pacer.h"
#include "Core/Job/ResultInfo.h"
#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/UserDefaults.h"

namespace core {

struct BatchJob;

class BatchEngine {
  public:
    struct Services {
        // Shared with the job's workers, which may outlive the engine by the image they are on.
        std::shared_ptr<foundation::UserDefaults> defaults;  // the standard settings when null
        std::shared_ptr<Pacer> pacer;                        // sleeps when null
        std::function<foundation::Date()> now;               // the clock; Date::now when empty
        // Images of one preset processed at once when the preview panel is off; 0 picks by core count.
        unsigned parallelImages = 0;
        // How names are given on the output disk; the machine's own file systems when null.
        std::shared_ptr<const OutputFileSystem> fileSystem;
    };

    explicit BatchEngine(ActivityScreen* screen);
    BatchEngine(ActivityScreen* screen, Services services);
    ~BatchEngine();
    BatchEngine(const BatchEngine&) = delete;
    BatchEngine& operator=(const BatchEngine&) = delete;

    // Turns dropped files and folders into the image list: folders are walked on the global queue,
    // image files kept, and `sharedImageList` replaced on the main queue before `completion` runs with
    // the number of images found. When nothing is found the list is kept and the completion gets 0.
    // A collection stopped meanwhile (cancelActivity) replaces nothing and completes nothing: the
    // list may belong to another tab by then.
    void collectSourceFiles(const std::vector<PresetInfo>& presets,
                            const std::vector<std::filesystem::path>& urls,
                            std::optional<std::string> baseName, std::optional<std::int64_t> startIndex,
                            std::function<void(std::size_t found)> completion);

    // Starts a job. The preview panel decision is taken now; the images are processed later.
    void startJob(JobParameters params);
    // Forgets the latest job's state; a job still running is cancelled first.
    void resetForNewJob();
    void cancelActivity();
    // Stops the latest job from any thread, for as long as it lives (a stop that comes before the
    // job is registered with the process's background work).
    std::function<void()> latestJobCanceller() const;
    void setSkipPreview(bool skip);

    bool bSkipPreview() const;
    bool isGotCancel() const;
    bool isRunning() const;
    // True once a job has finished (never set back).
    bool bProcessCompleted() const { return bProcessCompleted_; }

    // Copies of the latest job's state.
    std::vector<SourceURLInfo> arrImageSet() const;
    // How many images the latest job holds, without copying them.
    std::size_t imageSetCount() const;
    std::vector<SourceURLInfo> arrDoneImageSet() const;
    std::vector<SourceURLInfo> arrSkipImageSet() const;
    std::vector<ResultGroupInfo> mArrResizedGroupedData() const;
    std::vector<ResultGroupInfo> mArrSkippedGroupedData() const;
    std::optional<std::filesystem::path> strTargetFolder() const;
    std::string strPresetRunningNow() const;
    std::int64_t intImgNumber() const;
    std::int64_t userImgResizeTime() const;
    std::int64_t estimatedTimeActivity() const { return estimatedTimeActivity_; }
    std::optional<foundation::Date> totalTime() const;

    // Data for the result screens.
    std::vector<ResultGroupInfo> presetResultRows(const std::vector<PresetInfo>& presets,
                                                  std::int64_t total) const;
    std::vector<ResultItemInfo> doneResultsGrid(const std::vector<PresetInfo>& presets,
                                                bool renameTabSelected) const;
    std::vector<ResultGroupInfo> groupedResults(const std::vector<ResultGroupInfo>& rows) const;
    // The folder Show in Finder opens: the latest job's folder, when there is one.
    std::optional<std::filesystem::path> finalizeOutputFolder() const;

  private:
    friend struct BatchJob;

    foundation::UserDefaults& defaults() const;
    foundation::Date now() const;
    // Posts `block` to the main queue; it runs only while this engine lives and `job` is current.
    void postToMain(const std::shared_ptr<BatchJob>& job, std::function<void()> block);
    ActivityScreen* screen() const { return screen_; }

    void loadImageSet(BatchJob& job);
    void beginProcessingOnMain(const std::shared_ptr<BatchJob>& job);
    void runPresets(const std::shared_ptr<BatchJob>& job);
    void addPhotosToTotal(const std::shared_ptr<BatchJob>& job);
    void storePhotoTotal(const std::shared_ptr<BatchJob>& job, std::int64_t total);
    void finishJob(const std::shared_ptr<BatchJob>& job, bool notify);
    void addTimeSaved(double elapsed);
    void endWithError(const std::shared_ptr<BatchJob>& job, const std::string& message);

    ActivityScreen* screen_;
    Services services_;
    std::shared_ptr<bool> alive_;
    std::shared_ptr<BatchJob> job_;
    // Set when the files being collected for the next job are no longer wanted.
    std::shared_ptr<std::atomic<bool>> collectionStopped_;
    bool skipPreview_ = false;
    bool bProcessCompleted_ = false;
    std::int64_t estimatedTimeActivity_ = 0;
};

}  // namespace core
