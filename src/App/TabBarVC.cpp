#include "App/TabBarVC.h"

#include <filesystem>

#include "App/AppDelegate.h"
#include "App/Document.h"
#include "App/VortaWindowController.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Screens/Activity/RunningActivity.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace {

constexpr int kTabCount = 4;

}  // namespace

void TabBarVC::viewDidLoad() {
    if (AppDelegate* delegate = appDelegate()) delegate->tabBarVC = this;
    if (canShow(ids::SlideRight_PresetList)) performSegue(ids::SlideRight_PresetList);
    Document::tabSwitcherDidLoad();
}

void TabBarVC::prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) {
    ViewController::prepareForSegue(segue, sender);
    resetTabState();
}

void TabBarVC::resetTabState() {
    AppDelegate* delegate = appDelegate();
    TabBarVC* registered = delegate && delegate->tabBarVC ? delegate->tabBarVC.data() : this;
    registered->presetListVC = nullptr;
    advancedMasterVC = nullptr;
    renameMasterVC = nullptr;
    if (delegate) {
        delegate->collectionView = nullptr;
        delegate->arrImgList.clear();
        delegate->arrQLPos.clear();
        delegate->dictPreviewItems.reset();
    }
    core::sharedImageList().removeAll();
    core::sharedRenameOptions().reset();
}

std::string TabBarVC::segueForTab(int index, int current) {
    switch (index) {
        case 1:
            return current < 2 ? ids::SlideLeft_Advanced : ids::SlideRight_Advanced;
        case 2:
            return ids::SlideLeft_Bulk;
        case 3:
            return ids::SlideLeft_Quick;
        default:
            return ids::SlideRight_PresetList;
    }
}

bool TabBarVC::canShow(const std::string& segue) const {
    appkit::Storyboard& board = storyboard() ? *storyboard() : appkit::Storyboard::main();
    const auto row = board.segue(identifier(), segue);
    return row && board.hasController(row->destination);
}

void TabBarVC::selectTab(int index) {
    selectTab(index, {});
}

void TabBarVC::selectTab(int index, std::function<void(bool shown)> done) {
    if (index < 0 || index >= kTabCount) index = 0;
    const auto finish = [this, index, done] {
        if (done) done(intSegmentSelectedNow == index);
    };
    const std::string segue = segueForTab(index, intSegmentSelectedNow);
    if (index == intSegmentSelectedNow || screens::isStopJobQuestionUp() || !canShow(segue)) {
        showSelectedSegment();
        finish();
        return;
    }
    appkit::Window* sheetWindow = isViewLoaded() ? window() : nullptr;
    if (!hasRunningActivity() || !sheetWindow) {
        switchToTab(index);
        finish();
        return;
    }
    // A running job is never dropped unasked: the user stops it or stays on its tab.
    screens::askToStopJob(
        *sheetWindow,
        "A job is running on this tab. Switching tabs stops it; the images already written are kept.",
        screens::QuestionDrops::TabList,
        [this, index, finish](bool stop) {
            if (stop)
                switchToTab(index);
            else
                showSelectedSegment();
            finish();
        },
        this);
}

void TabBarVC::switchToTab(int index) {
    const std::string segue = segueForTab(index, intSegmentSelectedNow);
    if (index == intSegmentSelectedNow || !canShow(segue)) {
        showSelectedSegment();
        return;
    }
    for (const auto& screen : children()) cancelRunningActivities(*screen);
    performSegue(segue);
    intSegmentSelectedNow = index;
    if (AppDelegate* delegate = appDelegate()) delegate->setMenuOptionActions(index);
    showSelectedSegment();
}

bool TabBarVC::hasRunningActivity() const {
    // A job already told to stop (its activity closed) is not asked about again.
    std::function<bool(const appkit::ViewController&)> running = [&](const appkit::ViewController& screen) {
        if (auto* activity = dynamic_cast<const screens::RunningActivity*>(&screen);
            activity && activity->isActivityRunning() && !activity->isActivityStopping())
            return true;
        for (const auto& child : screen.children())
            if (running(*child)) return true;
        return false;
    };
    for (const auto& screen : children())
        if (running(*screen)) return true;
    return false;
}

void TabBarVC::showSelectedSegment() {
    appkit::Window* w = isViewLoaded() ? window() : nullptr;
    auto* controller = w ? dynamic_cast<VortaWindowController*>(w->windowController()) : nullptr;
    if (controller && controller->segBtn) controller->segBtn->setSelectedSegment(intSegmentSelectedNow);
}

void TabBarVC::cancelRunningActivities(appkit::ViewController& screen) {
    if (auto* activity = dynamic_cast<screens::RunningActivity*>(&screen);
        activity && activity->isActivityRunning())
        activity->cancelActivity();
    for (const auto& child : screen.children()) cancelRunningActivities(*child);
}

const std::vector<std::string>& TabBarVC::allowedImageTypes() {
    static const std::vector<std::string> types = {"jpg", "jpeg", "JPEG", "png", "PNG",
                                                   "bmp", "tiff", "heic", "heif"};
    return types;
}

void TabBarVC::browseForImages(std::function<void(const std::vector<std::string>&)> completion) {
    appkit::Window* sheetWindow = isViewLoaded() ? window() : nullptr;
    if (!sheetWindow) return;
    AppDelegate* delegate = appDelegate();
    if (delegate && delegate->menuItem_SelectAll_Browse)
        delegate->menuItem_SelectAll_Browse->setVisible(true);
    auto panel = std::make_shared<appkit::OpenPanel>();
    panel->allowsMultipleSelection = true;
    panel->canChooseFiles = true;
    panel->canChooseDirectories = true;
    panel->resolvesAliases = true;
    panel->canCreateDirectories = false;
    panel->allowedFileTypes = allowedImageTypes();
    panel->beginSheetModal(
        sheetWindow,
        [panel, completion = std::move(completion)](appkit::ModalResponse response) {
            if (response == appkit::ModalResponse::OK && completion) {
                // Folders travel as directory paths, so the image list walks them.
                std::vector<std::string> urls;
                for (const auto& path : panel->urls()) {
                    std::error_code ec;
                    const bool folder = std::filesystem::is_directory(path, ec) && !path.ends_with("/");
                    urls.push_back(folder ? path + "/" : path);
                }
                completion(urls);
            }
            if (AppDelegate* shell = appDelegate(); shell && shell->menuItem_SelectAll_Browse)
                shell->menuItem_SelectAll_Browse->setVisible(false);
        },
        this);
}

void TabBarVC::setPreviewItems(std::vector<core::SourceURLInfo> images, appkit::CollectionView* grid,
                               appkit::TableView* table) {
    AppDelegate* delegate = appDelegate();
    if (!delegate) return;
    delegate->arrImgList = std::move(images);
    delegate->collectionView = grid;
    delegate->tableView = table;
}

void TabBarVC::toggleQuickLookPreview() {
    if (AppDelegate* delegate = appDelegate()) delegate->toggleQuickLookPreview();
}
