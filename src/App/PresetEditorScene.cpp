#include "App/PresetEditorScene.h"

#include "App/AppDefaults.h"
#include "App/AppDelegate.h"
#include "App/VortaWindowController.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/AddPresetContainerForMac.h"
#include "Screens/Setup/AddPresetNewVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/PresetDetailsTableVC.h"
#include "Screens/Setup/PresetListForIOS.h"

namespace {

PresetListForIOS* shownPresetList() {
    AppDelegate* delegate = appDelegate();
    if (!delegate || !delegate->tabBarVC) return nullptr;
    return qobject_cast<PresetListForIOS*>(delegate->tabBarVC->presetListVC.data());
}

// After the tab switch: the preset list was made from the shared list, which holds the preset
// already; it only has to bring it into view.
void addPresetAfterTabSwitch() {
    if (PresetListForIOS* list = shownPresetList(); list && list->collectionView) {
        const int last = list->collectionView->numberOfItems() - 1;
        if (last >= 0)
            list->collectionView->scrollToItem(last, appkit::CollectionView::ScrollPosition::Bottom, true);
    }
}

}  // namespace

void registerPresetEditorScenes(appkit::Storyboard& storyboard) {
    namespace sc = ids::scene;
    storyboard.registerController(sc::AddPresetContainerForMac,
                                  [] { return std::make_shared<AddPresetContainerForMac>(); });
    storyboard.registerController(sc::AddPresetNewVC, [] {
        auto page = std::make_shared<AddPresetNewVC>();
        page->addPreset = addNewPreset;
        return page;
    });
    storyboard.registerController(sc::PresetDetailsTableVC, [] {
        auto details = std::make_shared<PresetDetailsTableVC>();
        details->showMessagePopover = [](const std::string& message, QWidget* anchor) {
            // In the look of the sheet it opens over.
            const QPalette& look = anchor->palette();
            const bool dark =
                look.color(QPalette::Window).lightness() < look.color(QPalette::WindowText).lightness();
            if (AppDelegate* delegate = appDelegate())
                // Below the button: its y runs down, so its bottom is its maximum y.
                delegate->showMessagePopover(message, anchor, appkit::RectEdge::MaxY,
                                             std::make_shared<appkit::Popover>(), dark);
        };
        return details;
    });
    storyboard.registerController(sc::DefaultPresetsPickerVC,
                                  [] { return std::make_shared<DefaultPresetsPickerVC>(appSettings()); });
}

void openPresetEditor(appkit::ViewController& presenter) {
    auto sheet = appkit::Storyboard::main().instantiateController(ids::scene::AddPresetContainerForMac);
    if (sheet) presenter.presentAsSheet(sheet);
}

void addNewPreset(const core::PresetInfo& preset) {
    if (PresetListForIOS* list = shownPresetList()) {
        list->addPreset(preset);
        return;
    }
    // Kept first, whatever happens to the screens.
    core::sharedPresetList().append(preset);
    savePresetsToDefaults();
    AppDelegate* delegate = appDelegate();
    if (!delegate) return;
    delegate->rebuildPresetsMenu();
    TabBarVC* tabs = delegate->tabBarVC;
    appkit::Window* window = tabs && tabs->isViewLoaded() ? tabs->window() : nullptr;
    auto* controller = window ? dynamic_cast<VortaWindowController*>(window->windowController()) : nullptr;
    if (!controller || !controller->segBtn) return;
    controller->segBtn->setSelectedSegment(0);
    tabs->selectTab(controller->segBtn->selectedSegment());
    appkit::postToMainAfter(tabs, 0.5, addPresetAfterTabSwitch);
}
