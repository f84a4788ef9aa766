#pragma once
// The memory that the images of a job may take at once while they are decoded and worked on: each
// image reserves its share before its decode and gives it back when it is done, waiting while the
// budget is spent, so that several workers on large images take turns instead of asking for more
// memory at once. An image larger than the whole budget waits until nothing else is reserved and then
// runs alone. Waiters are served in the order they came, so a large image is never passed for ever.
// Thread-safe.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>

namespace image {

class DecodeBudget {
  public:
    explicit DecodeBudget(std::uint64_t bytes);

    // A quarter of the least of the machine's memory and the limits set on the process (address
    // space, data segment, control group), and never more than 4 GB.
    static std::uint64_t defaultBytes();

    // Bytes taken from a budget, given back when the reservation ends.
    class Reservation {
      public:
        Reservation(Reservation&& other) noexcept;
        Reservation& operator=(Reservation&& other) noexcept;
        Reservation(const Reservation&) = delete;
        ~Reservation();
        std::uint64_t bytes() const { return bytes_; }

      private:
        friend class DecodeBudget;
        Reservation(DecodeBudget* budget, std::uint64_t bytes) : budget_(budget), bytes_(bytes) {}
        DecodeBudget* budget_;
        std::uint64_t bytes_;
    };

    // Waits for `bytes` (reserving them), or absent once `cancelled` says so: it is asked every few
    // milliseconds while the caller waits, so a stopped job never hangs here.
    std::optional<Reservation> reserve(std::uint64_t bytes, const std::function<bool()>& cancelled);

    std::uint64_t bytes() const { return bytes_; }
    std::uint64_t reservedBytes() const;

  private:
    void release(std::uint64_t bytes);
    bool fits(std::uint64_t bytes) const;

    static constexpr std::chrono::milliseconds kCancelCheck{20};

    const std::uint64_t bytes_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t reserved_ = 0;
    std::uint64_t nextTicket_ = 0;
    std::set<std::uint64_t> waiting_;  // tickets of the callers waiting, the first served first
};

}  // namespace image
