#pragma once
// InstanceLock: the file lock that makes one process the user's running Vorta. Whoever holds it is
// the application and owns the instance socket beside it; the kernel lets go of it when that process
// ends, however it ends, so a crash never leaves a lock behind. The lock file itself stays (removing
// it would let two processes lock two different files). Any thread; one owner.

#include <optional>
#include <string>

class InstanceLock {
  public:
    // The lock on `path` (made when missing), or nothing while another process holds it or the file
    // cannot be made.
    static std::optional<InstanceLock> tryTake(const std::string& path);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

  private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};
