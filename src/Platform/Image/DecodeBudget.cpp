#include "Platform/Image/DecodeBudget.h"

#include "Platform/Image/MemoryLimits.h"

#include <algorithm>
#include <utility>

namespace image {

namespace {

constexpr std::uint64_t kMostBytes = 4ull << 30;

}  // namespace

DecodeBudget::DecodeBudget(std::uint64_t bytes) : bytes_(bytes) {}

std::uint64_t DecodeBudget::defaultBytes() {
    return std::min(kMostBytes, detail::memoryAvailableToProcess() / 4);
}

bool DecodeBudget::fits(std::uint64_t bytes) const {
    // Larger than the whole budget: alone, once nothing else is reserved.
    return reserved_ == 0 || (reserved_ <= bytes_ && bytes <= bytes_ - reserved_);
}

std::optional<DecodeBudget::Reservation> DecodeBudget::reserve(std::uint64_t bytes,
                                                               const std::function<bool()>& cancelled) {
    std::unique_lock lock(mutex_);
    const std::uint64_t ticket = nextTicket_++;
    waiting_.insert(ticket);
    while (*waiting_.begin() != ticket || !fits(bytes)) {
        if (cancelled && cancelled()) {
            waiting_.erase(ticket);
            // The next in line may fit where this one did not.
            changed_.notify_all();
            return std::nullopt;
        }
        changed_.wait_for(lock, kCancelCheck);
    }
    waiting_.erase(ticket);
    reserved_ += bytes;
    changed_.notify_all();
    return Reservation(this, bytes);
}

std::uint64_t DecodeBudget::reservedBytes() const {
    const std::lock_guard lock(mutex_);
    return reserved_;
}

void DecodeBudget::release(std::uint64_t bytes) {
    {
        const std::lock_guard lock(mutex_);
        reserved_ -= bytes;
    }
    changed_.notify_all();
}

DecodeBudget::Reservation::Reservation(Reservation&& other) noexcept
    : budget_(std::exchange(other.budget_, nullptr)), bytes_(other.bytes_) {}

DecodeBudget::Reservation& DecodeBudget::Reservation::operator=(Reservation&& other) noexcept {
    if (this != &other) {
        if (budget_) budget_->release(bytes_);
        budget_ = std::exchange(other.budget_, nullptr);
        bytes_ = other.bytes_;
    }
    return *this;
}

DecodeBudget::Reservation::~Reservation() {
    if (budget_) budget_->release(bytes_);
}

}  // namespace image
