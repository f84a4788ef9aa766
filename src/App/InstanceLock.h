#pragma once
// InstanceLock: the file lock that makes one process the user's running Vorta. Whoever holds it is
// the application; it writes the path of its socket into the lock file, so that later starts find it
// whatever runtime folder their own environment names. The kernel lets go of the lock when that
// process ends, however it ends, so a crash never leaves a lock behind. The lock file itself stays
// (removing it would let two processes lock two different files). A file that cannot be opened for
// writing is locked read-only; a link at the path is never followed. Any thread; one owner.

#include <optional>
#include <string>

class InstanceLock {
  public:
    enum class Outcome {
        Taken,       // this process holds the lock now
        Held,        // another process holds it
        Unavailable  // the lock file cannot be made, opened or locked: `error` (when given) says why
    };
    // The lock on `path` (made when missing), when `outcome` is Taken.
    static std::optional<InstanceLock> tryTake(const std::string& path, Outcome& outcome,
                                               std::string* error = nullptr);

    // Writes `text` (the holder's socket path) as the lock file's whole content.
    void setNote(const std::string& text);
    // The note the holder of the lock on `path` wrote; empty when there is none yet.
    static std::string noteOf(const std::string& path);

    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

  private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};
