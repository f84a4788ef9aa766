#pragma once
// AdvanceVCIPad: a screen that registers itself with the application delegate when its view loads
// and closes its activity column. Main thread only.

#include <QPointer>

#include "Platform/AppKit/LayoutConstraint.h"
#include "Platform/AppKit/ViewController.h"

class AdvanceVCIPad : public appkit::ViewController {
    Q_OBJECT
  public:
    QPointer<appkit::LayoutConstraint> cnstActivityWidth;
    QPointer<QWidget> btnDismiss;

  protected:
    void viewDidLoad() override;
};
