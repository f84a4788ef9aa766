#pragma once
// SizeListforResultVC: the per-preset result table inside the activity screen, one row per preset
// of the job with its name and how many images were written out of the total; a row's button opens
// that preset's written and skipped images. It owns no job state: the rows come from the engine and
// the drill-down reads the parent activity screen's results. Main thread only.

#include <QString>
#include <vector>

#include "Core/Job/ResultInfo.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/ViewController.h"

class SizeListforResultVC : public appkit::ViewController, public appkit::TableViewDataSource {
    Q_OBJECT
  public:
    appkit::TableView* tblView = nullptr;
    std::vector<core::ResultGroupInfo> mArrPresetResult;

    void reloadTable();

    // The shown name of a preset: trimmed, its first character in upper case; `fallback` when blank.
    static QString displayName(const std::string& presetName, const QString& fallback);
    QWidget* makeResultCell(int row);
    // The records the parent's done (or skipped) group of the row's preset holds.
    std::vector<core::SourceURLInfo> resultRecords(bool done, int row) const;
    void onViewPresetResult(QWidget* sender);
    void showPresetResults(QWidget* sender);

    int numberOfRows(appkit::TableView& table) override;
    QWidget* viewForRow(appkit::TableView& table, int row) override;
    QWidget* rowViewForRow(appkit::TableView& table, int row) override;
    double heightOfRow(appkit::TableView&, int) override { return 40; }

  protected:
    void loadView() override;
    void viewDidLoad() override;
};
