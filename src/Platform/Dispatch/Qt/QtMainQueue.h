#pragma once
// QtMainQueue: the main queue's backend in the application. Blocks run on the Qt GUI thread from
// the event loop, in deadline order; they may be handed over from any thread.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <mutex>

#include "Platform/Dispatch/Queue.h"

namespace dispatch {

class QtMainQueue : public Queue {
  public:
    // Call on the GUI thread after the QCoreApplication exists.
    QtMainQueue();
    ~QtMainQueue() override;

    void async(Block block) override;
    void asyncAt(Time deadline, Block block) override;
    bool isCurrent() const override;

  private:
    void wake();
    void runDue();

    std::unique_ptr<QObject> context_;
    std::unique_ptr<QTimer> timer_;
    std::mutex mutex_;
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Block> blocks_;
    std::uint64_t sequence_ = 0;
};

}  // namespace dispatch
