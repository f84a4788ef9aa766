#pragma once
// The pauses a job's worker takes while the preview panel shows each image. The application sleeps;
// tests count. Called on the worker only.

#include <atomic>
#include <mutex>
#include <vector>

namespace core {

class Pacer {
  public:
    virtual ~Pacer() = default;
    // Blocks the calling worker for `seconds` (0 yields).
    virtual void pause(double seconds) = 0;
};

class SleepingPacer final : public Pacer {
  public:
    void pause(double seconds) override;
};

// Records every pause without waiting.
class CountingPacer final : public Pacer {
  public:
    void pause(double seconds) override {
        std::lock_guard lock(mutex_);
        pauses_.push_back(seconds);
    }
    std::vector<double> pauses() const {
        std::lock_guard lock(mutex_);
        return pauses_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<double> pauses_;
};

}  // namespace core
