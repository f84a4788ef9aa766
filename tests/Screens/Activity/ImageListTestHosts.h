#pragma once
// Stand-ins for the screens around an image list in tests: a pane that embeds the list (with the
// select-all and delete buttons and the selection label of a list pane) and a tab switcher above it
// that answers the open panel and records the preview calls. Also small coloured photo files.

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageListShell.h"
#include "Screens/Activity/SelectionLabelText.h"

namespace imagelisttest {

class TestPane : public appkit::ViewController, public screens::ImageListHost {
  public:
    explicit TestPane(screens::ImageListRole role) : role_(role) {}

    screens::ImageListRole imageListRole() const override { return role_; }
    QWidget* selectAllButton() override { return selectAll; }
    QWidget* deleteButton() override { return remove; }
    void setAddManageImage(const std::string& name) override { addManageImage = name; }
    void updateSelectionLabel(const std::vector<int>& items) override {
        label = screens::selectionLabelText(items, core::sharedImageList().snapshot());
        ++labelUpdates;
    }
    void notifyActivityVC() override { ++activityNotices; }
    bool isActivityRunning() const override { return running; }

    QPushButton* selectAll = nullptr;
    QPushButton* remove = nullptr;
    std::string addManageImage;
    std::string label;
    int labelUpdates = 0;
    int activityNotices = 0;
    bool running = false;

  protected:
    void loadView() override {
        auto* root = new appkit::View;
        root->resize(640, 480);
        selectAll = new QPushButton("Select All", root);
        remove = new QPushButton("Delete", root);
        setView(root);
    }

  private:
    screens::ImageListRole role_;
};

class TestTabs : public appkit::ViewController, public screens::ImageListShell {
  public:
    void browseForImages(std::function<void(const std::vector<std::string>&)> completion) override {
        ++browseCount;
        if (!answer.empty()) completion(answer);
    }
    int selectedTab() const override { return tab; }
    void setPreviewItems(std::vector<core::SourceURLInfo> images, appkit::CollectionView* grid,
                         appkit::TableView* table) override {
        previewCount = images.size();
        previewGrid = grid;
        previewTable = table;
    }
    void toggleQuickLookPreview() override { ++toggles; }

    std::vector<std::string> answer;
    int browseCount = 0;
    int tab = 1;
    std::size_t previewCount = 0;
    appkit::CollectionView* previewGrid = nullptr;
    appkit::TableView* previewTable = nullptr;
    int toggles = 0;
};

// A photo of one colour at `path` (format by extension).
inline void writePhoto(const std::filesystem::path& path, QColor colour, int width = 64, int height = 48) {
    std::filesystem::create_directories(path.parent_path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.save(QString::fromStdString(path.string()));
}

// A record for the list without a file behind it.
inline core::SourceURLInfo fakeRecord(const std::string& path) {
    core::SourceURLInfo record;
    record.strFullPath = path;
    record.strFileName = std::filesystem::path(path).filename().string();
    record.fileSize = "1 KB";
    return record;
}

// Wires a tab switcher > pane > list and shows it in a 640 x 480 window, the list under a 40 pt bar.
inline void embedList(TestTabs& tabs, const std::shared_ptr<TestPane>& pane,
                      const std::shared_ptr<screens::CollectionVC>& list) {
    tabs.addChild(pane);
    pane->addChild(list);
    tabs.view()->resize(640, 480);
    tabs.view()->addSubview(pane->view());
    pane->view()->setGeometry(0, 0, 640, 480);
    pane->view()->addSubview(list->view());
    list->view()->setGeometry(0, 40, 640, 440);
    tabs.view()->show();
}

}  // namespace imagelisttest
