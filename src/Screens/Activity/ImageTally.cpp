#include "Screens/Activity/ImageTally.h"

#include <algorithm>
#include <atomic>

#include "Core/Records/SharedLists.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/ImageCollector.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace screens {

// One count, written once by the worker that walks its paths.
struct ImageTally::Part {
    std::atomic<bool> done{false};
    std::atomic<std::size_t> images{0};
};

ImageTally::ImageTally(const std::vector<std::string>& paths) {
    add(paths);
}

void ImageTally::add(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::vector<std::string> knownPaths;
    for (const auto& record : core::sharedImageList().snapshot()) knownPaths.push_back(record.strFullPath);
    auto part = std::make_shared<Part>();
    parts_.push_back(part);
    // Files are counted at once, by their names; only folders take a walk.
    if (std::none_of(paths.begin(), paths.end(), isFolderPath)) {
        part->images.store(countNewImages(paths, knownPaths), std::memory_order_relaxed);
        part->done.store(true, std::memory_order_release);
        return;
    }
    dispatch::Queue::global().async([part, paths, knownPaths = std::move(knownPaths)] {
        // Walked like a collection: quitting stops it, and a stopped count is never asked for again.
        const dispatch::RunningCollection walk;
        part->images.store(countNewImages(paths, knownPaths, walk.cancelFlag()), std::memory_order_relaxed);
        part->done.store(true, std::memory_order_release);
        dispatch::Queue::main().async([] { refreshStopJobQuestionText(); });
    });
}

std::optional<std::size_t> ImageTally::count() const {
    std::size_t images = 0;
    for (const auto& part : parts_) {
        if (!part->done.load(std::memory_order_acquire)) return std::nullopt;
        images += part->images.load(std::memory_order_relaxed);
    }
    return images;
}

}  // namespace screens
