#pragma once
// VortaWindowController: the main window's controller. Its toolbar holds the item "activity", the
// tab segment and the add button; the segment and the add button show once the welcome pages are
// done. It keeps the "activity" item only while the window is wider than 530 points and passes tab
// changes to the tab switcher. Main thread only.

#include <QLabel>
#include <QPointer>
#include "Controls/PushButton.h"

#include "App/WindowController.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/Foundation/NotificationCenter.h"

class VortaWindowController : public WindowController {
    Q_OBJECT
  public:
    // The window is at most this wide before the "activity" item leaves the toolbar.
    static constexpr double activityItemMinimumWidth = 530.0;

    VortaWindowController();

    QPointer<controls::PushButton> btnAdd;
    QPointer<appkit::SegmentedControl> segBtn;
    QPointer<QLabel> lblActivity;

    virtual void updateActivityToolbarItem();
    void onWindowResizedWithNotification(const foundation::Notification&);
    void onChangeSegment(appkit::SegmentedControl& sender);

  protected:
    void windowDidLoad() override;

  private:
    QWidget* makeToolbarItem(const std::string& identifier);

    foundation::NotificationCenter::Token resizeObservation_;
};
