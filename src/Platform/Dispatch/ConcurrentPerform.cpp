#include "Platform/Dispatch/ConcurrentPerform.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace dispatch {

void concurrentPerform(std::size_t iterations, const std::function<void(std::size_t)>& body) {
    if (iterations == 0) return;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorMutex;
    std::exception_ptr firstError;

    const auto work = [&] {
        while (!failed.load(std::memory_order_relaxed)) {
            const std::size_t i = next.fetch_add(1, std::memory_order_relaxed);
            if (i >= iterations) return;
            try {
                body(i);
            } catch (...) {
                const std::lock_guard lock(errorMutex);
                if (!firstError) firstError = std::current_exception();
                failed.store(true, std::memory_order_relaxed);
            }
        }
    };

    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers = std::min(cores, iterations) - 1;
    std::vector<std::jthread> threads;
    threads.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) threads.emplace_back(work);
    work();
    threads.clear();  // joins
    if (firstError) std::rethrow_exception(firstError);
}

}  // namespace dispatch
