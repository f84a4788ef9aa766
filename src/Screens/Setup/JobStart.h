#pragma once
// JobStart: the start of a tab's job from its PROCEED. The activity screen slides up over the options
// and the job counts as running from that moment; the engine starts half a second later, once the
// screen has arrived, unless the job was stopped meanwhile. One job per PROCEED: while the job it
// began is starting or running, further activations do nothing. Main thread only.

#include <QPointer>
#include <functional>

class ActivityVC;
namespace appkit {
class ViewController;
}

namespace setup {

class JobStart {
  public:
    // The job of the last `begin` is starting or running and has not been told to stop.
    bool isBusy() const;
    // Slides the activity screen up in `container` and, half a second later, runs `start` with it.
    // A job stopped before then starts nothing and writes nothing; while the user is asked whether
    // to stop it, the start waits for the answer. Nothing happens while busy, or once `owner` is gone.
    void begin(appkit::ViewController& container, const QObject* owner,
               std::function<void(ActivityVC&)> start);

  private:
    QPointer<ActivityVC> activity_;
};

}  // namespace setup
