#include "Platform/Dispatch/Qt/QtMainQueue.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

#include "Platform/Dispatch/HandOver.h"

namespace dispatch {

namespace {
// The wake-up travels through Qt's event queue.
const char kWakeHandOver = 0;
}  // namespace

QtMainQueue::QtMainQueue()
    : Queue("com.apple.main-thread"),
      context_(std::make_unique<QObject>()),
      timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, context_.get(), [this] { runDue(); });
}

QtMainQueue::~QtMainQueue() {
    timer_->stop();
}

void QtMainQueue::async(Block block) {
    asyncAt(monotonicNow(), std::move(block));
}

void QtMainQueue::asyncAt(Time deadline, Block block) {
    {
        const VisibleLock lock(mutex_);
        blocks_.emplace(std::make_pair(deadline.ns, sequence_++), std::move(block));
    }
    wake();
}

bool QtMainQueue::isCurrent() const {
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

void QtMainQueue::wake() {
    // The timer belongs to the GUI thread: re-arm it there.
    beforeHandOver(&kWakeHandOver);
    QMetaObject::invokeMethod(
        context_.get(),
        [this] {
            afterHandOver(&kWakeHandOver);
            std::int64_t next;
            {
                const VisibleLock lock(mutex_);
                if (blocks_.empty()) return;
                next = blocks_.begin()->first.first;
            }
            const auto waitMs = std::max<std::int64_t>(0, (next - monotonicNow().ns + 999'999) / 1'000'000);
            if (!timer_->isActive() || timer_->remainingTime() > waitMs)
                timer_->start(static_cast<int>(waitMs));
        },
        Qt::QueuedConnection);
}

void QtMainQueue::runDue() {
    // Blocks added while these run wait for the next turn of the event loop, so input is never starved.
    std::uint64_t limit;
    {
        const VisibleLock lock(mutex_);
        limit = sequence_;
    }
    for (;;) {
        Block block;
        {
            const VisibleLock lock(mutex_);
            const auto now = monotonicNow().ns;
            auto it = std::find_if(blocks_.begin(), blocks_.end(), [&](const auto& e) {
                return e.first.first > now || e.first.second < limit;
            });
            if (it == blocks_.end() || it->first.first > now) break;
            block = std::move(it->second);
            blocks_.erase(it);
        }
        block();
    }
    wake();
}

}  // namespace dispatch
