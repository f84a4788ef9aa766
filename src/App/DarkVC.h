#pragma once
// DarkVC: a screen that always shows in the dark appearance, and puts its window in it too. Main
// thread only.

#include "Platform/AppKit/ViewController.h"

class DarkVC : public appkit::ViewController {
    Q_OBJECT
  public:
    void awakeFromNib() {}

  protected:
    void viewWillAppear() override;
};
