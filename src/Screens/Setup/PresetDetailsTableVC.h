#pragma once
// PresetDetailsTableVC: the details page of the preset editor: the picked size with its Choose
// Size button, the name (shown once a size is picked) and the output-format row. It receives the
// size picker's result and builds the new preset from what the user entered. Main thread only.

#include <QLabel>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Controls/Button.h"
#include "Controls/TextField.h"
#include "Core/Effects/FMFilterable.h"
#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Setup/DefaultPresetsPickerDelegate.h"
#include "Screens/Setup/FormatSelectionView.h"

class PresetDetailsTableVC : public appkit::ViewController,
                             public DefaultPresetsPickerDelegate,
                             public OutputFormatHolder {
    Q_OBJECT
  public:
    PresetDetailsTableVC();

    // Shows a short message in a popover beside `anchor`; set by the application.
    std::function<void(const std::string& message, QWidget* anchor)> showMessagePopover;

    QPointer<controls::TextField> txtName;
    QPointer<QWidget> nameView;
    QPointer<QLabel> lblPresetName;
    QPointer<controls::Button> btnChooseSize;
    std::optional<core::PresetInfo> presetDimensionProvider;
    int intImageEffectTag = 1;
    std::shared_ptr<const core::FMFilterable> filterForUseNow;

    FormatSelectionView* formatRow() const { return firstChild<FormatSelectionView>(); }

    void onChooseSize();
    virtual void applyPickedSize(const std::vector<core::PresetInfo>& picked);
    // The new preset, or absent (with the message shown) while no size is picked.
    virtual std::optional<core::PresetInfo> buildPresetDictionary();

    // DefaultPresetsPickerDelegate
    PickerMode pickerMode() const override { return PickerMode::Editor; }
    void didPickPresets(const std::vector<core::PresetInfo>& picked, const std::any&) override {
        applyPickedSize(picked);
    }

  protected:
    void loadView() override;
    void viewDidLoad() override;
};
