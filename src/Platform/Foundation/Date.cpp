#include "Platform/Foundation/Date.h"

#include <chrono>

namespace foundation {

Date Date::now() {
    using namespace std::chrono;
    const auto ns = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return Date{static_cast<double>(ns) / 1e9};
}

}  // namespace foundation
