#include "Screens/Activity/PreviewPacer.h"

#include <chrono>
#include <cmath>
#include <thread>

void PreviewPacer::pause(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds)) {
        std::this_thread::yield();
        return;
    }
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return skipped_; });
}

void PreviewPacer::skip() {
    {
        std::lock_guard lock(mutex_);
        skipped_ = true;
    }
    wake_.notify_all();
}

void PreviewPacer::resume() {
    std::lock_guard lock(mutex_);
    skipped_ = false;
}

bool PreviewPacer::isSkipped() const {
    std::lock_guard lock(mutex_);
    return skipped_;
}
