// The per-preset result table's rows and the results grid: names and counts, item sizes, hiding
// skipped items, selection mode, sharing and previewing only files that were written.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <fstream>
#include <optional>

#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include "ActivityFixture.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Pasteboard.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageWell.h"
#include "Screens/Activity/PresetResults.h"
#include "Screens/Activity/SizeListforResultVC.h"

using namespace activitytest;

namespace {

core::ResultItemInfo item(const std::string& output, bool skipped) {
    core::ResultItemInfo i;
    i.urlInfo.strFullPath = "/in/" + std::filesystem::path(output).filename().string();
    i.urlInfo.strFinalOutputFilePath = skipped ? "" : output;
    i.isSkipped = skipped;
    return i;
}

}  // namespace

TEST_F(ActivityTest, ResultRowsShowCapitalisedNamesAndDoneOverTotal) {
    EXPECT_EQ(SizeListforResultVC::displayName("hd", "Defualt"), "Hd");
    EXPECT_EQ(SizeListforResultVC::displayName("  full HD ", "Defualt"), "Full HD");
    EXPECT_EQ(SizeListforResultVC::displayName("x", "Defualt"), "X");
    EXPECT_EQ(SizeListforResultVC::displayName("\u00e4rger", "Defualt"), "\u00c4rger");
    EXPECT_EQ(SizeListforResultVC::displayName(" \n", "Defualt"), "Defualt");

    ActivityVC& s = openScreen();
    auto* table = s.childSizeListforResultVC();
    core::ResultGroupInfo counted;
    counted.presetName = "<b>web</b>";
    counted.countDone = 7;
    counted.countTotal = 12;
    table->mArrPresetResult = {counted, core::ResultGroupInfo{}};
    ActivityHooks::shared().isRenameTabSelected = [] { return true; };
    std::unique_ptr<QWidget> renamed(table->makeResultCell(1));
    ActivityHooks::shared().isRenameTabSelected = nullptr;
    std::unique_ptr<QWidget> first(table->makeResultCell(0));
    std::unique_ptr<QWidget> blank(table->makeResultCell(1));
    auto text = [](QWidget* cell, int tag) {
        return qobject_cast<QLabel*>(static_cast<appkit::View*>(cell)->viewWithTag(tag))
            ->text()
            .toStdString();
    };
    EXPECT_EQ(text(first.get(), 1), "<b>web</b>");
    EXPECT_EQ(text(first.get(), 2), "7/12");
    EXPECT_EQ(text(blank.get(), 1), "Defualt");
    EXPECT_EQ(text(blank.get(), 2), "0/0");
    EXPECT_EQ(text(renamed.get(), 1), "Renamed");

    // A button whose row is gone opens nothing.
    QPushButton stray;
    table->showPresetResults(&stray);
    drain();
    EXPECT_EQ(holder->children().size(), 1u);
}

TEST_F(ActivityTest, TheDoneGridSizesItsItemsByTheirNumber) {
    ActivityVC& s = openScreen();
    auto* grid = s.doneResultsGrid();
    ASSERT_NE(grid, nullptr);
    const double w = grid->view()->width();
    ASSERT_GT(w, 100);
    const auto sizeFor = [&](std::size_t n) {
        grid->arrImages.assign(n, item("x", false));
        return grid->itemSize();
    };
    EXPECT_EQ(sizeFor(1), (cg::Size{w - 20, 300}));
    EXPECT_EQ(sizeFor(2), (cg::Size{w - 20, 150}));
    EXPECT_EQ(sizeFor(3), (cg::Size{(w - 20) / 2, 150}));
    EXPECT_EQ(sizeFor(5), (cg::Size{(w - 20) / 2, 100}));
    EXPECT_EQ(sizeFor(7), (cg::Size{(w - 20) / 2, 75}));
    EXPECT_EQ(sizeFor(9), (cg::Size{(w - 20) / 3, 100}));
    EXPECT_EQ(sizeFor(0), (cg::Size{(w - 20) / 3, 75}));
    grid->view()->resize(10, 100);
    EXPECT_EQ(sizeFor(1), (cg::Size{1, 300}));

    holder->performSegue(ids::SlideLeft_PresetResults, PresetResults{{item("y", false)}, "HD"});
    drain();
    auto* one = dynamic_cast<CollectionDoneorSkippedVC*>(holder->children().back().get());
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->itemSize(), (cg::Size{110, 110}));
    EXPECT_TRUE(one->btnPreview->isHidden()) << "no preview window to open: no dead button";

    // With a preview window, one preset's results open in it at the first item.
    std::vector<std::string> shown;
    int shownAt = -1;
    ActivityHooks::shared().showPreviewPanel = [&](const std::vector<std::string>& paths, int index) {
        shown = paths;
        shownAt = index;
    };
    one->arrImages = {item("a.jpg", false), item("b.jpg", false)};
    one->reloadContent();
    EXPECT_FALSE(one->btnPreview->isHidden());
    one->btnPreview->click();
    ActivityHooks::shared().showPreviewPanel = nullptr;
    EXPECT_EQ(shown, (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(shownAt, 0);
}

TEST_F(ActivityTest, HidingSkippedItemsSelectingAndSharingWorkOnWrittenFiles) {
    std::vector<core::ResultItemInfo> items;
    for (int i = 0; i < 5; ++i) {
        const auto path = dir / ("out" + std::to_string(i) + ".jpg");
        const bool skipped = i == 1 || i == 3;
        if (!skipped) testsupport::writeTestImage(path, 120, 90, i + 1);
        items.push_back(item(path.string(), skipped));
    }
    items[4].urlInfo.strFinalOutputFilePath = (dir / "vanished.jpg").string();  // written, then removed
    ActivityVC& s = openScreen();
    holder->performSegue(ids::SlideLeft_PresetResults, PresetResults{items, "Web"});
    mainQueue->advance(0.3);
    drain();
    auto* grid = dynamic_cast<CollectionDoneorSkippedVC*>(holder->children().back().get());
    ASSERT_NE(grid, nullptr);
    ASSERT_TRUE(mainQueue->runUntil([&] { return grid->bhasSkippedImg; }));
    drain();
    EXPECT_EQ(grid->lblTitle->text(), "Web");
    EXPECT_EQ(grid->btnShowHideSkipped->text(), "Hide Skipped");
    EXPECT_TRUE(grid->btnShowHideSkipped->isEnabled());

    grid->btnShowHideSkipped->click();
    EXPECT_EQ(grid->btnShowHideSkipped->text(), "Show Skipped");
    EXPECT_EQ(grid->arrImages.size(), 3u);
    EXPECT_EQ(grid->collImages->numberOfItems(), 3);
    grid->btnShowHideSkipped->click();
    EXPECT_EQ(grid->btnShowHideSkipped->text(), "Hide Skipped");
    EXPECT_EQ(grid->arrImages.size(), 5u);

    // Selection mode shows itself: every tile gets its ring, and loses it when the mode ends.
    const auto ringShown = [&](int i) {
        auto* shown = grid->collImages->itemAtIndex(i);
        auto* tile = shown ? qobject_cast<screens::ImageItemView*>(shown->view()) : nullptr;
        return tile && tile->markImage()->isVisibleTo(tile);
    };
    EXPECT_FALSE(ringShown(0));
    grid->btnSelect->click();
    EXPECT_TRUE(grid->bSelectMode);
    EXPECT_EQ(grid->btnSelect->text(), "Done");
    EXPECT_FALSE(grid->btnShowHideSkipped->isEnabled());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(ringShown(i)) << "tile " << i;
    grid->btnSelect->click();
    EXPECT_FALSE(ringShown(0));
    EXPECT_EQ(grid->btnSelect->text(), "Select");
    EXPECT_TRUE(grid->btnShowHideSkipped->isEnabled());

    // Only files that were written and still exist are shared: never a skipped item's empty path.
    EXPECT_EQ(grid->shareURLs(), (std::vector<std::string>{items[0].urlInfo.strFinalOutputFilePath,
                                                           items[2].urlInfo.strFinalOutputFilePath}));
    grid->onShare(grid->btnShare);
    auto* menu = grid->btnShare->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
        if (action->text() == "Copy File Paths") action->trigger();
    EXPECT_EQ(appkit::Pasteboard::general().string(),
              items[0].urlInfo.strFinalOutputFilePath + "\n" + items[2].urlInfo.strFinalOutputFilePath);
    delete menu;

    // Preview opens at the selected item, or at the first; never in selection mode.
    std::vector<int> opened;
    ActivityHooks::shared().showPreviewPanel = [&](const std::vector<std::string>& paths, int index) {
        EXPECT_EQ(paths.size(), 5u);
        opened.push_back(index);
    };
    grid->onLoadOrPreview();
    grid->collImages->setSelectionIndexes({2});
    grid->didSelectItems(*grid->collImages, {2});
    grid->onLoadOrPreview();
    grid->btnSelect->click();
    grid->onLoadOrPreview();
    s.doneResultsGrid()->onLoadOrPreview();
    ActivityHooks::shared().showPreviewPanel = nullptr;
    EXPECT_EQ(opened, (std::vector<int>{0, 2}));

    // The thumbnails of written files load; a skipped one is framed in red.
    ASSERT_TRUE(mainQueue->runUntil([&] {
        auto* shown = grid->collImages->itemAtIndex(0);
        auto* view = shown ? qobject_cast<screens::ImageWell*>(shown->view()->subviews()[1]) : nullptr;
        return view && !view->image().isNull();
    }));
    auto* skippedItem = grid->collImages->itemAtIndex(1);
    ASSERT_NE(skippedItem, nullptr);
    auto* frame = qobject_cast<appkit::View*>(skippedItem->view()->subviews()[2]);
    EXPECT_EQ(view::borderWidth(*frame), 2.0);
}

namespace {

// Whether a picture area shows anything: a blank one is a single colour.
bool showsSomething(QWidget* well) {
    const QImage shot = well->grab().toImage();
    const QRgb first = shot.pixel(0, 0);
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            if (shot.pixel(x, y) != first) return true;
    return false;
}

}  // namespace

TEST_F(ActivityTest, EveryResultTileShowsAPictureOfOneSizeWithItsNameOnOneBaseline) {
    // Outputs of different shapes, one whose file is gone and one that was skipped: the tiles of the
    // done grid and of one preset's results must line up whatever each thumbnail does.
    std::vector<core::ResultItemInfo> items;
    const std::vector<QSize> shapes = {{800, 600}, {600, 900}, {1200, 300}};
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const auto path = dir / ("shape" + std::to_string(i) + ".jpg");
        testsupport::writeTestImage(path, shapes[i].width(), shapes[i].height(),
                                    static_cast<unsigned>(i + 1));
        items.push_back(item(path.string(), false));
    }
    items.push_back(item((dir / "vanished.jpg").string(), false));
    items.push_back(item("skipped.jpg", true));
    for (auto& i : items) i.urlInfo.fileSize = "12 KB";
    ActivityVC& s = openScreen();
    auto* doneGrid = s.doneResultsGrid();
    ASSERT_NE(doneGrid, nullptr);
    s.showDoneState({});
    drain();
    doneGrid->arrImages = items;
    doneGrid->reloadGrid();
    holder->performSegue(ids::SlideLeft_PresetResults, PresetResults{items, "Web"});
    mainQueue->advance(0.3);
    drain();
    auto* presetGrid = dynamic_cast<CollectionDoneorSkippedVC*>(holder->children().back().get());
    ASSERT_NE(presetGrid, nullptr);

    const auto tileOf = [](CollectionDoneorSkippedVC* grid, int i) {
        auto* shown = grid->collImages->itemAtIndex(i);
        return shown ? qobject_cast<screens::ImageItemView*>(shown->view()) : nullptr;
    };
    const auto loaded = [&](CollectionDoneorSkippedVC* grid) {
        for (int i = 0; i < static_cast<int>(shapes.size()); ++i) {
            auto* tile = tileOf(grid, i);
            if (!tile || tile->thumbnail()->image().isNull()) return false;
        }
        return true;
    };
    for (const bool afterLoading : {false, true}) {
        if (afterLoading) {
            ASSERT_TRUE(mainQueue->runUntil([&] { return loaded(doneGrid) && loaded(presetGrid); }));
        }
        for (auto* grid : {doneGrid, presetGrid}) {
            SCOPED_TRACE(std::string(grid == doneGrid ? "done grid" : "one preset's results") +
                         (afterLoading ? ", thumbnails loaded" : ", thumbnails on their way"));
            std::optional<QRect> firstPicture, firstName;
            for (int i = 0; i < static_cast<int>(items.size()); ++i) {
                SCOPED_TRACE("tile " + std::to_string(i));
                auto* tile = tileOf(grid, i);
                ASSERT_NE(tile, nullptr);
                tile->show();
                QWidget* well = tile->thumbnail();
                const QRect picture = well->geometry();
                EXPECT_EQ(tile->thumbnail()->imageRect().size(), picture.size())
                    << "the picture does not fill its frame";
                EXPECT_GT(picture.height(), tile->height() / 2);
                EXPECT_TRUE(showsSomething(well)) << "a tile without a picture or placeholder";
                const QRect name = tile->nameLabel()->geometry();
                EXPECT_TRUE(tile->nameLabel()->isVisibleTo(tile));
                EXPECT_TRUE(picture.contains(name)) << "the name strip leaves the picture";
                if (!firstPicture) {
                    firstPicture = picture;
                    firstName = name;
                    continue;
                }
                EXPECT_EQ(picture, *firstPicture) << "pictures of different sizes or places";
                EXPECT_EQ(name.bottom(), firstName->bottom()) << "a name strip off the row's baseline";
                EXPECT_EQ(name.height(), firstName->height());
            }
        }
    }
}

TEST_F(ActivityTest, ShareSendsTheTwoResultsRingedInSelectionModeAndEveryResultOtherwise) {
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 9; ++i)
        images.push_back(source("shot" + std::to_string(i) + ".jpg", 200, 150, static_cast<unsigned>(i + 1)));
    ActivityVC& s = openScreen();
    s.resetForNewJob();
    s.startJob(job({sizedPreset("Small", 100, 75)}, images));
    ASSERT_TRUE(runToEnd(s));
    auto* grid = s.doneResultsGrid();
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->arrImages.size(), 9u);
    std::vector<std::string> written;
    for (const auto& item : grid->arrImages) written.push_back(item.urlInfo.strFinalOutputFilePath);

    // What the activity screen's Share hands over, read back through the picker's copy action.
    const auto shared = [&] {
        appkit::Pasteboard::general().clearContents();
        s.btnShare->click();
        auto* menu = s.btnShare->findChild<QMenu*>();
        if (!menu) return std::string();
        for (QAction* action : menu->actions())
            if (action->text() == "Copy File Paths") action->trigger();
        delete menu;
        return appkit::Pasteboard::general().string();
    };
    const auto ring = [&](int i) {
        auto* shown = grid->collImages->itemAtIndex(i);
        auto* tile = shown ? qobject_cast<screens::ImageItemView*>(shown->view()) : nullptr;
        return tile && tile->markImage()->isVisibleTo(tile) ? tile->markImage()->imageName() : std::string();
    };
    const auto clickTile = [&](int i) {
        grid->collImages->scrollToItem(i);
        drain();
        const QPoint at = grid->collImages->frameForItem(i).center() -
                          QPoint(grid->collImages->horizontalScrollBar()->value(),
                                 grid->collImages->verticalScrollBar()->value());
        QTest::mouseClick(grid->collImages->viewport(), Qt::LeftButton, {}, at);
        drain();
    };

    grid->btnSelect->click();
    drain();
    clickTile(2);
    clickTile(7);
    clickTile(4);
    clickTile(4);  // a second click takes a tile out of the choice again
    for (int i = 0; i < 9; ++i) {
        grid->collImages->scrollToItem(i);
        drain();
        EXPECT_EQ(ring(i), i == 2 || i == 7 ? "select" : "deselect") << "tile " << i;
    }
    EXPECT_EQ(shared(), written[2] + "\n" + written[7]);

    // Out of selection mode Share sends every written file again.
    grid->btnSelect->click();
    drain();
    std::string all;
    for (const auto& path : written) all += (all.empty() ? "" : "\n") + path;
    EXPECT_EQ(shared(), all);

    // Results shown anew (another job's) start unchosen, even when the mode stays on: a choice
    // made among the last results never picks files from these.
    grid->btnSelect->click();
    drain();
    clickTile(2);
    clickTile(7);
    grid->reloadContent();
    drain();
    EXPECT_EQ(shared(), all);
}
