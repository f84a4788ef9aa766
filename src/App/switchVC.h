#pragma once
// switchVC: the main window's root content. On the first run it shows the welcome pages, later the
// tab switcher; once the welcome pages have been done it lets the window grow to the largest
// screen. Main thread only.

#include <optional>
#include <vector>

#include "Platform/AppKit/ViewController.h"
#include "Platform/Graphics/Geometry.h"

// The maximum window size that covers every screen: `current` widened by each screen's size, or by
// the main screen's when the list is empty (unchanged when there is neither).
cg::Size maxSizeCoveringScreens(cg::Size current, const std::vector<cg::Size>& screens,
                                std::optional<cg::Size> mainScreen);

class switchVC : public appkit::ViewController {
    Q_OBJECT
  public:
    // Waits (a frame at a time, for at most 5 s) until the tab switcher is in a window.
    virtual void fitWindowMaxSize();

  protected:
    void viewDidLoad() override;

  private:
    // False while the tab switcher's view is in no window.
    bool tryFitWindowMaxSize();
};
