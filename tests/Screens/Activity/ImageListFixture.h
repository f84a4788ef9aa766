#pragma once
// The harness of the image-list tests: an empty shared image list and rename options, a tab
// switcher holding a pane that embeds one list in a shown window, and waits for additions.

#include <QApplication>

#include "Controls/PushButton.h"
#include "Core/Rename/RenameOptions.h"
#include "ImageListTestHosts.h"
#include "Platform/AppKit/Storyboard.h"
#include "Screens/Activity/ImageListScenes.h"
#include "Support/TempDir.h"
#include "Support/UiEvents.h"
#include "Support/UiTestFixture.h"

namespace imagelisttest {

class ImageListTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        core::sharedImageList().removeAll();
        core::sharedRenameOptions().reset();
        screens::registerImageListScenes(appkit::Storyboard::main());
    }
    void TearDown() override {
        list.reset();
        pane.reset();
        tabs.reset();
        UiTest::TearDown();
        core::sharedImageList().removeAll();
        core::sharedRenameOptions().reset();
    }

    // A tab switcher > pane (of `role`) > list, shown in a window.
    screens::CollectionVC& makeList(screens::ImageListRole role) {
        tabs = std::make_shared<TestTabs>();
        pane = std::make_shared<TestPane>(role);
        list = std::make_shared<screens::CollectionVC>();
        embedList(*tabs, pane, list);
        drain();
        return *list;
    }

    // Adds `urls` through the list and waits until the list holds `expected` images.
    void addAndWait(const std::vector<std::string>& urls, std::size_t expected) {
        list->addImages(urls);
        ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == expected; }))
            << "list holds " << core::sharedImageList().count();
        drain();
    }

    // Lets a collection that finds nothing finish: the global queue is given time to run out.
    void settle() {
        mainQueue->runUntil([] { return false; }, std::chrono::milliseconds(400));
        drain();
    }

    std::vector<std::string> listedPaths() const {
        std::vector<std::string> paths;
        for (const auto& r : core::sharedImageList().snapshot()) paths.push_back(r.strFullPath);
        return paths;
    }

    testsupport::TempDir dir;
    std::shared_ptr<TestTabs> tabs;
    std::shared_ptr<TestPane> pane;
    std::shared_ptr<screens::CollectionVC> list;
};

}  // namespace imagelisttest
