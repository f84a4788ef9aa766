#pragma once
// PreviewPacer: the pauses a job takes while the preview panel shows each image, ended at once when
// the user skips the preview. Jobs hold it shared, so a job still running after its screen closed
// never waits on a freed pacer. Thread-safe: the worker pauses, the main thread skips and resumes.

#include <condition_variable>
#include <mutex>

#include "Core/Job/Pacer.h"

class PreviewPacer final : public core::Pacer {
  public:
    void pause(double seconds) override;
    // Ends the pause running now and every later one, until resume().
    void skip();
    // Pauses wait again (a new job with the preview on).
    void resume();
    bool isSkipped() const;

  private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool skipped_ = false;
};
