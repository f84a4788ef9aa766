#pragma once
// A controller that writes what happens to it (view loaded, segue prepared, transition started)
// into a shared log, for tests of the order of segue steps.

#include <memory>
#include <string>
#include <vector>

#include "Platform/AppKit/StoryboardSegue.h"
#include "Platform/AppKit/ViewController.h"

namespace testsupport {

using Log = std::shared_ptr<std::vector<std::string>>;

class RecordingController : public appkit::ViewController {
  public:
    explicit RecordingController(Log log) : log_(std::move(log)) {}

    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override {
        const auto* dest = segue.destinationController();
        log_->push_back(identifier() + ":prepare " + segue.identifier() + " -> " +
                        (dest ? dest->identifier() : "?") +
                        (dest && dest->isViewLoaded() ? " (view loaded)" : ""));
        lastSender = sender;
    }
    void transition(appkit::ViewController& from, appkit::ViewController& to,
                    appkit::TransitionOptions options, std::function<void()> completion) override {
        log_->push_back(identifier() + ":transition " + from.identifier() + " -> " + to.identifier() +
                        " options " + std::to_string(options));
        appkit::ViewController::transition(from, to, options, std::move(completion));
    }

    std::any lastSender;
    int didLoadCount = 0;
    appkit::ViewController* parentWhenLoaded = nullptr;

  protected:
    void viewDidLoad() override {
        ++didLoadCount;
        parentWhenLoaded = parent();
        log_->push_back(identifier() + ":viewDidLoad");
    }

  private:
    Log log_;
};

}  // namespace testsupport
