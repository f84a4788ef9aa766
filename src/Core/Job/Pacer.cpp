#include "Core/Job/Pacer.h"

#include <chrono>
#include <thread>

namespace core {

void SleepingPacer::pause(double seconds) {
    if (seconds <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

}  // namespace core
