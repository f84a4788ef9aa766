#include "Screens/Activity/PreviewPacer.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "Platform/Dispatch/HandOver.h"

void PreviewPacer::pause(double seconds) {
    if (!(seconds > 0) || !std::isfinite(seconds)) {
        std::this_thread::yield();
        return;
    }
    dispatch::VisibleLock lock(mutex_);
    lock.waitFor(wake_, std::chrono::duration<double>(seconds), [this] { return skipped_; });
}

void PreviewPacer::skip() {
    {
        const dispatch::VisibleLock lock(mutex_);
        skipped_ = true;
    }
    wake_.notify_all();
}

void PreviewPacer::resume() {
    const dispatch::VisibleLock lock(mutex_);
    skipped_ = false;
}

bool PreviewPacer::isSkipped() const {
    const dispatch::VisibleLock lock(mutex_);
    return skipped_;
}
