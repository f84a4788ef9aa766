#pragma once
// SizeListVC: the sizes of the next Advanced run, a row each, with a last row for adding. Every
// row's button opens the size picker in list mode; what the picker hands back replaces the list (a
// size unticked there leaves it). A row's context menu or the Delete key removes it. The list
// keeps its sizes between runs; they are never saved. Main thread only.

#include <QLabel>
#include <QPointer>
#include <functional>
#include <vector>

#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Setup/DefaultPresetsPickerDelegate.h"

class SizeListVC : public appkit::ViewController,
                   public appkit::TableViewDataSource,
                   public DefaultPresetsPickerDelegate {
    Q_OBJECT
  public:
    SizeListVC();
    ~SizeListVC() override;

    QPointer<appkit::TableView> tblView;
    // Under the add row while no size is chosen: what a job does then.
    QPointer<QLabel> emptyHint;
    std::vector<core::PresetInfo> mArrPresetsSelected;
    // Told the new height (count x 40 + 105) whenever the count changes.
    std::function<void(double)> heightDidChange;

    virtual void deletePreset(int row);
    virtual void handleSizeButton();
    void showSizePicker();
    virtual void addOrSelectSize(const std::vector<core::PresetInfo>& picked);

    // DefaultPresetsPickerDelegate
    PickerMode pickerMode() const override { return PickerMode::List; }
    void didPickPresets(const std::vector<core::PresetInfo>& picked, const std::any&) override {
        addOrSelectSize(picked);
    }

    // TableViewDataSource
    int numberOfRows(appkit::TableView& table) override;
    QWidget* viewForRow(appkit::TableView& table, int row) override;
    QWidget* rowViewForRow(appkit::TableView& table, int row) override;
    bool shouldSelectRow(appkit::TableView& table, int row) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void announceHeight();
    void showEmptyHint();
};
