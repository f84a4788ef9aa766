#pragma once
// RenameOptionTVC: the rename option pane. Its six fields edit the process-wide rename options; every
// keystroke updates the preview of a sample name and the new name of every image of the list. In
// the Rename tab its PROCEED button makes sure of an output folder and runs the copy of every image
// under its new name on the activity screen; in the Advanced tab it is a sheet whose Done hands the
// preview back to the Advanced options and slides away. Main thread only.

#include <QPointer>
#include <functional>
#include <string>

#include "Platform/AppKit/ViewController.h"
#include "Screens/Setup/JobStart.h"

class QLabel;
class QLineEdit;
class ActivityVC;
namespace controls {
class Button;
class TextField;
}  // namespace controls
namespace foundation {
class UserDefaults;
}

// The screen that takes the preview text when the pane serves the Advanced tab (the Advanced
// options pane: its rename row shows the text).
class RenamePreviewReceiver {
  public:
    virtual ~RenamePreviewReceiver() = default;
    virtual void takeRenamePreview(const std::string& previewText) = 0;
};

class RenameOptionTVC : public appkit::ViewController {
    Q_OBJECT
  public:
    explicit RenameOptionTVC(foundation::UserDefaults& defaults);

    // The sample name the preview is computed from; the output format may replace its extension.
    static constexpr char kSampleStem[] = "Photo";
    static constexpr char kSampleExtension[] = "jpg";

    // Outlets, made by loadView.
    QLabel* lblDemo = nullptr;
    QLabel* lblPreview = nullptr;
    controls::Button* btnBack = nullptr;
    controls::Button* btnDone = nullptr;
    appkit::View* demoView = nullptr;
    controls::TextField* txtPrefix = nullptr;
    controls::TextField* txtSufix = nullptr;
    controls::TextField* txtRename = nullptr;
    controls::TextField* txtInitialIndex = nullptr;
    controls::TextField* txtFind = nullptr;
    controls::TextField* txtReplace = nullptr;

    // Empty in the Rename tab; the Advanced tab sets the output format (".png", "Default", ...).
    std::string strOutputFormat;
    QPointer<appkit::ViewController> vcCallFrom;
    // The application points its Cancel Activity menu item at the run's activity screen.
    std::function<void(ActivityVC&)> activityDidStart;

    // The load steps, run again by a container that has set strOutputFormat and vcCallFrom.
    void runLoadSteps();
    void fillFieldsFromOptions();
    void configureForHolder();
    // On the Rename tab PROCEED is enabled only while the image list holds images.
    void enableProceedForImages();
    void storeOptionFromField(const QLineEdit* field);
    void updatePreview();
    void onChangeInTextField(const QLineEdit* field);
    void onDone() { proceed(); }
    void onBack() { goBack(); }
    void proceed();
    void startActivityPanel(ActivityVC& activity);
    void startRenameRun(ActivityVC& activity);
    void goBack();

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    bool configureWithParent();
    // The sample shown, with the extension of the output format.
    QString demoText() const;

    foundation::UserDefaults& defaults_;
    QWidget* backBar_ = nullptr;
    setup::JobStart jobStart_;
};
