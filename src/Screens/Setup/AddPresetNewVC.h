#pragma once
// AddPresetNewVC: the first page of the preset editor sheet: the size indicator (its colour tells
// the kind of size, its bars which sides are set, its shape the orientation), the details page, and
// Cancel and Done. Done builds the preset and hands it to `addPreset` before the sheet closes; while
// no size is picked it shows why and the sheet stays. Main thread only.

#include <QPointer>
#include <functional>

#include "Controls/Button.h"
#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/View.h"
#include "Platform/AppKit/ViewController.h"

class AddPresetNewVC : public appkit::ViewController {
    Q_OBJECT
  public:
    AddPresetNewVC();

    // Adds the finished preset to the user's presets (and shows it); set by the application.
    std::function<void(const core::PresetInfo&)> addPreset;

    // The indicator: its first subview is the width bar, its second the height bar.
    QPointer<appkit::View> indicatorHolderView;
    // Shown in the indicator's place until a size is picked.
    QPointer<QWidget> placeholderIcon;
    QPointer<controls::Button> btnDone;
    QPointer<controls::Button> btnCancel;

    virtual void updatePreview(const core::PresetInfo& size);
    void onDone();
    void onCancel();
    void savePreset();

  protected:
    void loadView() override;
    void viewDidLoad() override;
};
