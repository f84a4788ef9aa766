#include "Screens/Setup/RenameMasterVC.h"

#include <QHBoxLayout>
#include <QLabel>

#include "Controls/Button.h"
#include "Controls/PushButton.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/StopJobQuestion.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/PaneControls.h"
#include "Screens/Setup/RenameOptionTVC.h"

namespace {

// Posted by the application on every resize of the main window.
constexpr char kWindowResized[] = "onWindowResized";
// At most this wide (at least this wide on the first pass) the window counts as narrow.
constexpr double kNarrowWidth = 644;
// The top bar's items that give way on a narrow window, after its title.
constexpr int kItemsHiddenWhenNarrow = 4;

}  // namespace

RenameMasterVC::RenameMasterVC() : TabListPaneVC(ids::scene::RenameHolderVC, "Rename") {}

void RenameMasterVC::addTopBarItems(QHBoxLayout& bar) {
    auto* add = new controls::PushButton("Add Images", controls::PushButton::Role::Secondary);
    add->setAction([this](controls::ButtonBase&) { onAddOrPrevImg(); });
    bar.addWidget(add);
}

void RenameMasterVC::viewDidLoad() {
    if (didLoad) didLoad(*this);
    TabListPaneVC::viewDidLoad();
    resizeObservation_ = foundation::NotificationCenter::defaultCenter().addObserver(
        this, kWindowResized,
        [this](const foundation::Notification& n) { onWindowResizedWithNotification(n); });
    adaptToWindowWidth();
}

void RenameMasterVC::adaptToWindowWidth() {
    const appkit::Window* w = isViewLoaded() ? window() : nullptr;
    if (!w) return;
    const double width = w->frame().size.width;
    const bool narrow = framewidthPrev ? width <= kNarrowWidth : width < kNarrowWidth;
    const auto items = stackViewTop->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < std::min<int>(kItemsHiddenWhenNarrow, static_cast<int>(items.size())); ++i)
        items[i]->setHidden(narrow);
    if (collectionVCEmbeded && collectionVCEmbeded->headerViewForTable) {
        const auto titles =
            collectionVCEmbeded->headerViewForTable->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < std::min<int>(3, static_cast<int>(titles.size())); ++i)
            titles[i]->setHidden(narrow);
    }
    if (QWidget* labelBar = lblPathorCount->parentWidget()) labelBar->setHidden(narrow);
    // Select All and Remove come back only where the list wants them.
    if (!narrow && collectionVCEmbeded) collectionVCEmbeded->notifyParentsOfImageCount(true);
    framewidthPrev = width;
}

void RenameMasterVC::notifyActivityVC() {
    if (ActivityVC* activity = activityVC()) activity->returnToParentScreen();
    if (const OptionsHolderVC* options = holder())
        if (auto* pane = dynamic_cast<RenameOptionTVC*>(options->optionPane()); pane && pane->isViewLoaded())
            pane->updatePreview();
}

void RenameMasterVC::updateSelectionLabel(const std::vector<int>& selectedItems) {
    TabListPaneVC::updateSelectionLabel(selectedItems);
    if (const OptionsHolderVC* options = holder())
        if (auto* pane = dynamic_cast<RenameOptionTVC*>(options->optionPane()))
            pane->enableProceedForImages();
}

bool RenameMasterVC::isActivityRunning() const {
    return activityVC() != nullptr;
}

void RenameMasterVC::confirmListChange(screens::ListChange kind, std::function<void()> change) {
    screens::confirmListChangeDuringJob(*this, activityVC(), kind, std::move(change));
}

void RenameMasterVC::onAddOrPrevImg() {
    if (isActivityRunning() || !collectionVCEmbeded) return;
    collectionVCEmbeded->browseForImages();
}
