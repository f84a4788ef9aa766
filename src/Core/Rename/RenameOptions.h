#pragma once
// RenameOptions: the six texts of the Rename tab from which new file names are built, as one value.
// The process-wide options are written by the Rename tab on the main queue; a rename run reads
// them once into a copy when it starts and works on that copy only.

#include <mutex>
#include <string>

namespace core {

struct RenameOptions {
    std::string renamePrefix{};       // put before the stem, as typed
    std::string renameSuffix{};       // put after the stem, as typed
    std::string renameNewName{};      // replaces the stem when it is not blank
    std::string renameStartIndex{};   // the first running number, as text
    std::string renameFindText{};     // searched in the stem, ignoring case
    std::string renameReplaceText{};  // put in place of each match

    bool operator==(const RenameOptions&) const = default;
};

// The process-wide options; all empty until the Rename tab sets them. Thread-safe.
class SharedRenameOptions {
  public:
    RenameOptions get() const {
        std::lock_guard lock(mutex_);
        return options_;
    }
    void set(RenameOptions options) {
        std::lock_guard lock(mutex_);
        options_ = std::move(options);
    }
    void reset() { set({}); }

  private:
    mutable std::mutex mutex_;
    RenameOptions options_;
};

SharedRenameOptions& sharedRenameOptions();

}  // namespace core
