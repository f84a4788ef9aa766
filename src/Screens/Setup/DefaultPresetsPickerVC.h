#pragma once
// DefaultPresetsPickerVC: the size picker a container slides in over its first screen. It offers a
// custom width and height (resize or crop, with or without the saliency crop), a percentage of the
// source size, and the sizes of the saved presets. In editor mode a click on a saved size applies
// it; in list mode saved sizes are ticked and handed over with the custom size on Done. Either way
// the picker slides back to the container's first screen and removes itself. The width and height
// fields and the percentage controls stay in step: a typed width or height clears the percentage,
// a percentage (slid or typed) clears width and height. Main thread only.

#include <QPointer>
#include <QSlider>
#include <any>
#include <optional>
#include <vector>

#include "Controls/CheckBox.h"
#include "Controls/TextField.h"
#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Setup/DefaultPresetsPickerDelegate.h"
#include "Screens/Setup/SetupControls.h"
#include "Screens/Setup/SizePickerRows.h"

namespace foundation {
class UserDefaults;
}

class DefaultPresetsPickerVC : public appkit::ViewController, public appkit::TableViewDataSource {
    Q_OBJECT
  public:
    // The setting the percentage is stored under as it is typed.
    static constexpr char kPercentageKey[] = "UD_Percentage";
    // The slider moves in tenths of a percent.
    static constexpr int kSliderSteps = 10;

    // `settings`: where the typed percentage is stored (the application's settings); not owned.
    explicit DefaultPresetsPickerVC(foundation::UserDefaults& settings);
    ~DefaultPresetsPickerVC() override;

    QPointer<appkit::View> customSizeView;
    QPointer<appkit::View> percentView;
    QPointer<controls::TextField> txtWidth;
    QPointer<controls::TextField> txtHeight;
    QPointer<controls::TextField> txtPercent;
    QPointer<appkit::TableView> tableView;
    QPointer<controls::CheckBox> btnSaliency;
    std::vector<setup::PickerRow> mArrGroupedDataMac;
    QPointer<QSlider> sliderPercent;
    QPointer<QLabel> lblPercent;
    QPointer<appkit::SegmentedControl> segResizeCrop;
    QPointer<controls::Button> btnBack;
    QPointer<controls::Button> btnDone;
    std::any presetGiven;
    std::vector<core::PresetInfo> mArrPresetsSelected;

    DefaultPresetsPickerDelegate* presetPickerDelegate() const;
    void setPresetPickerDelegate(DefaultPresetsPickerDelegate* delegate);
    DefaultPresetsPickerDelegate::PickerMode mode() const;

    // The slider's value in percent.
    double sliderValue() const;
    void setSliderValue(double percent);

    virtual void buildTableRows();
    virtual void useSelectedSize(const core::PresetInfo& preset);
    virtual void fillFromPreset(const core::PresetInfo& preset);
    virtual void textFieldChanged(QObject* field);
    virtual std::optional<core::PresetInfo> makeSizeDictionary() const;

    void onPercentageChanged();
    void onSelectDeselectPreset(QWidget* sender);
    void onBack();
    void onDone();

    // TableViewDataSource
    int numberOfRows(appkit::TableView& table) override;
    QWidget* viewForRow(appkit::TableView& table, int row) override;
    QWidget* rowViewForRow(appkit::TableView& table, int row) override;
    double heightOfRow(appkit::TableView& table, int row) override;
    bool isGroupRow(appkit::TableView& table, int row) override;
    bool shouldSelectRow(appkit::TableView& table, int row) override;
    void selectionDidChange(appkit::TableView& table) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewDidAppear() override;

  private:
    void buildCustomSizeView();
    void buildPercentView();
    void slideBack();
    void showPercent(double percent);
    void storePercentage(double percent);

    foundation::UserDefaults& settings_;
    DefaultPresetsPickerDelegate* delegate_ = nullptr;
    QPointer<QObject> delegateObject_;           // tells whether the delegate still exists
    bool syncing_ = false;                       // the controls are being brought in step, not edited
    std::optional<core::PresetInfo> shownSize_;  // the size in use, shown by fillFromPreset
};
