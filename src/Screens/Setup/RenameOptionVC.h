#pragma once
// RenameOptionVC: a container that shows the rename option pane as a sheet of its own, with the
// sample name the pane previews. Its own Done reads the preview and does nothing more; the pane
// inside does the work. Main thread only.

#include <QPointer>
#include <string>

#include "Platform/AppKit/ViewController.h"

class QLabel;

class RenameOptionVC : public appkit::ViewController {
    Q_OBJECT
  public:
    QLabel* lblDemo = nullptr;
    QLabel* lblPreview = nullptr;
    QPointer<appkit::ViewController> vcCallFrom;
    std::string strOutputFormat;

    void onDone();

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    appkit::View* paneContainer_ = nullptr;
};
