#pragma once
// ListAddition: one addition of paths to an image list, followed to its end for whoever handed them
// over. It ends joined once its collection is over and what it found is in the list (nothing new
// found counts too), and dropped when it is let go on the way: the user kept the job a question was
// about, the list went or was started afresh, quitting stopped the collection. The handle travels with
// the addition; its last copy going without a join drops it. Ended on any thread; watched on any.

#include <atomic>
#include <memory>

namespace screens {

class ListAddition {
  public:
    enum class End { Pending, Joined, Dropped };

    ListAddition() = default;
    ListAddition(const ListAddition&) = delete;
    ListAddition& operator=(const ListAddition&) = delete;
    ~ListAddition();

    // The collection is over and its images are in the list.
    void joined();
    // How the addition ended so far, for the one who started it; outlives the handle.
    std::shared_ptr<const std::atomic<End>> watch() const { return end_; }

  private:
    std::shared_ptr<std::atomic<End>> end_ = std::make_shared<std::atomic<End>>(End::Pending);
};

}  // namespace screens
