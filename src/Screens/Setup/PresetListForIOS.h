#pragma once
// PresetListForIOS: the first tab, a grid of every preset of the shared list. Files dropped on a
// cell (or chosen in the open panel from a cell's option menu or the presets menu) run that preset:
// its usage count goes up, the presets are saved, the sources are collected and the job runs in the
// activity panel that slides open beside the grid. The option menu also renames and deletes.
// Presets are addressed by their row in the shared list, read afresh at every use, so a count that
// changed never makes a cell or menu item miss its preset. Main thread only.

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "Controls/PushButton.h"

#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/LayoutConstraint.h"
#include "Platform/AppKit/Menu.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ActivityHostScreen.h"

namespace foundation {
class UserDefaults;
}
class ActivityVC;
namespace controls {
class KRActivityIndicatorView;
}
class PresetCell;
class PresetView;

class PresetListForIOS : public appkit::ViewController,
                         public appkit::CollectionViewDataSource,
                         public ActivityHostScreen {
    Q_OBJECT
  public:
    explicit PresetListForIOS(foundation::UserDefaults& defaults);
    ~PresetListForIOS() override;

    // What the screen asks of the application shell; each one left empty does nothing (the open
    // panel is asked directly when `browseForImages` is empty).
    std::function<void()> rebuildPresetsMenu;
    std::function<void()> didLoad;           // the tab switcher learns which screen shows the presets
    std::function<void()> activityDidStart;  // the Cancel Activity menu item becomes active
    // The screen became busy or free again; the commands that would run a preset follow it.
    std::function<void(bool busy)> busyDidChange;
    std::function<void(std::function<void(std::vector<std::string>)>)> browseForImages;

    std::optional<int> intRowFromMenu;
    QPointer<appkit::CollectionView> collViewForMenu;
    std::optional<int> presetProcessingNow;  // the row whose job was started here
    QPointer<appkit::CollectionView> collectionView;
    QPointer<appkit::Menu> optionMenu;
    QPointer<controls::PushButton> btnDismissActivity;
    QPointer<controls::KRActivityIndicatorView> loadingIndicatorView;
    appkit::LayoutConstraint* cnstActivityWidth = nullptr;
    QPointer<ActivityVC> activityVC_Embedded;

    // Busy while a job is being started or shown here: drops are refused, and Resize on Preset (and
    // the presets menu, through `busyDidChange`) are disabled.
    bool isBusy() const;
    bool isShowingSheet() const;
    bool isProcessingRow(int row) const { return presetProcessingNow == row; }

    void configurePresetCell(PresetCell& cell, int row);
    void showOptionMenuForRow(int row, QWidget* sender);
    void beginPresetRename();
    void commitPresetRename(int row, const QString& text);
    void cancelPresetRename();
    void deletePreset();
    void addPreset(const core::PresetInfo& preset);
    // Resize on Preset: asks for images (once no modal is up and the activity screen is there) and
    // runs the preset of `intRowFromMenu` on them. `hold` is let go once the images are chosen and the
    // job counts as running, or once the run came to nothing.
    void runMenuPresetOnBrowsedImages(std::shared_ptr<void> hold = {});
    // The presets menu: runs the preset it was built with, when `row` still holds a preset of that name.
    void runPresetFromMenu(int row, const std::string& name, std::shared_ptr<void> hold = {});
    // A drop of files on the cell of `row`: makes sure of an output folder, then runs the preset.
    bool dropOnPreset(int row, const std::vector<std::string>& paths, PresetView* view);
    // Files dragged from a file table of this application: run at once, without the highlight and
    // without touching the menu's row, once an output folder is known.
    bool runPresetOnTableFiles(int row, const std::vector<std::string>& paths);
    void usePreset(const std::vector<std::string>& paths, int row);
    void showActivityPanel();
    void hideActivityPanel() override;
    void confirmCloseActivity();

    // ActivityHostScreen
    Kind activityHostKind() const override { return Kind::PresetList; }
    bool coversCloseMark() const override { return true; }
    void setEmbeddedActivityVC(ActivityVC* activity) override;

    // CollectionViewDataSource
    int numberOfItems(appkit::CollectionView& view) override;
    std::shared_ptr<appkit::CollectionViewItem> itemForIndex(appkit::CollectionView& view,
                                                             int index) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The stored output folder when it still exists; otherwise the folder panel asks (again).
    bool ensureOutputFolder();
    void endNameEditing(int row);
    void savePresets();
    void startProcessing(const std::vector<std::string>& paths, const core::PresetInfo& preset);
    // `coming` names the run in a question asked before its images are found.
    void beginActivity(const std::vector<std::string>& paths, const core::PresetInfo& preset,
                       std::shared_ptr<void> coming);
    void onActivityStarted(const core::PresetInfo& preset, std::size_t found);
    void tintLoadingIndicator();
    void stopLoadingIndicator();
    void highlightAndUsePreset(const std::vector<std::string>& paths, int row);
    void browseAndUsePreset(int row, std::shared_ptr<void> hold);
    // Runs `then` once the activity screen is embedded (at once when it is).
    void whenActivityIsEmbedded(std::function<void()> then);
    PresetView* presetViewAt(int row) const;
    bool rowInList(std::optional<int> row) const;

    void busyChanged();

    foundation::UserDefaults& defaults_;
    appkit::View* activityPanel_ = nullptr;
    QPointer<appkit::MenuItem> resizeOnPresetItem_;
    std::vector<std::function<void()>> untilActivityEmbedded_;
    // The runs whose images are being collected, each named by a question asked meanwhile: held and
    // let go here on the main thread only, never by the collection's own threads.
    std::vector<std::shared_ptr<void>> collectingRuns_;
};
