// The image list screen: roles taken from the embedding screen, what items show, thumbnails made in
// the background, the activity screen's shrinking copy, the space-bar preview and long lists.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <chrono>
#include <thread>

#include "ImageListFixture.h"
#include "Screens/Activity/ImageItemView.h"

namespace imagelisttest {
namespace {

using screens::ImageListRole;

screens::ImageItemView* gridItem(screens::CollectionVC& list, int index) {
    auto* item = list.collImages->itemAtIndex(index);
    return item ? qobject_cast<screens::ImageItemView*>(item->view()) : nullptr;
}

QColor centreColour(const screens::ImageItemView& view) {
    const QImage& image = view.thumbnail()->image();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST_F(ImageListTest, EachScreenGivesTheListItsRole) {
    makeList(ImageListRole::Rename);
    EXPECT_EQ(pane->collectionVCEmbeded, list.get());
    EXPECT_TRUE(list->collImages->isHidden());
    EXPECT_FALSE(list->tableView->isHidden());
    EXPECT_FALSE(list->headerViewForTable->isHidden());
    list->frameSize = 150;
    list->reloadAllItems();
    EXPECT_EQ(list->collImages->itemSize(), (cg::Size{60, 60})) << "the Rename list ignores the slider";

    makeList(ImageListRole::Advanced);
    EXPECT_FALSE(list->collImages->isHidden());
    EXPECT_TRUE(list->tableView->isHidden());
    EXPECT_EQ(list->collImages->itemSize(), (cg::Size{100, 100}));
    core::sharedImageList().replaceAll({fakeRecord("/p/a.jpg")});
    list->frameSize = 150;
    list->reloadAllItems();
    EXPECT_EQ(list->collImages->itemSize(), (cg::Size{150, 150}));
}

TEST_F(ImageListTest, AListWhoseParentComesLaterStillTakesItsRole) {
    auto host = std::make_shared<TestPane>(ImageListRole::Bulk);
    auto late = std::make_shared<screens::CollectionVC>();
    late->loadViewIfNeeded();
    EXPECT_EQ(late->role(), ImageListRole::None);
    host->addChild(late);
    mainQueue->advance(0.1);
    EXPECT_EQ(late->role(), ImageListRole::Bulk);
    EXPECT_EQ(host->collectionVCEmbeded, late.get());
}

TEST_F(ImageListTest, ItemsShowNameSizeAndOutputName) {
    makeList(ImageListRole::Advanced);
    auto renamed = fakeRecord("/p/IMG_1.jpg");
    renamed.updatedUrl = std::filesystem::path("/p/Trip1.jpg");
    core::sharedImageList().replaceAll({renamed, fakeRecord("/p/<i>x.jpg")});
    list->collImages->reloadData();
    auto* view = gridItem(*list, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->nameLabel()->text(), "IMG_1.jpg");
    EXPECT_EQ(view->sizeLabel()->text(), "1 KB");
    EXPECT_EQ(view->outputLabel()->text(), "Trip1.jpg");
    EXPECT_EQ(gridItem(*list, 1)->outputLabel()->text(), "<i>x.jpg");
    EXPECT_EQ(gridItem(*list, 1)->nameLabel()->textFormat(), Qt::PlainText);

    // The Rename pane's refresh changes only the output names.
    list->arrItemsInt = {0};
    auto changed = core::sharedImageList().snapshot();
    changed[0].updatedUrl = std::filesystem::path("/p/Holiday.jpg");
    changed[0].fileSize = "9 MB";
    list->configureImageItem(*view, 0, changed, true);
    EXPECT_EQ(view->outputLabel()->text(), "Holiday.jpg");
    EXPECT_EQ(view->sizeLabel()->text(), "1 KB");
    EXPECT_EQ(view->markImage()->imageName(), "deselect");
}

TEST_F(ImageListTest, ThumbnailsArriveFromTheBackgroundAndALateOneIsDropped) {
    makeList(ImageListRole::Advanced);
    const auto red = dir / "red.png", green = dir / "green.png";
    writePhoto(red, Qt::red);
    writePhoto(green, Qt::green);
    addAndWait({red.string(), green.string()}, 2);
    // Both thumbnails are made on the preview queue and wait on the main queue; the red item goes
    // first.
    const auto records = core::sharedImageList().snapshot();
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return records[0].objThumbImage->isMade() && records[1].objThumbImage->isMade(); }));
    list->collImages->setSelectionIndexes({0});
    list->applyGridSelectionChange({0}, true);
    list->removeSelectedImages();
    settle();

    ASSERT_EQ(core::sharedImageList().count(), 1u);
    auto* view = gridItem(*list, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(centreColour(*view), QColor(Qt::green))
        << "the removed item's thumbnail landed on its neighbour";

    // Once made, a thumbnail is shown at once when the item is made again.
    mainQueue->advance(1.0);
    list->collImages->reloadData();
    EXPECT_EQ(centreColour(*gridItem(*list, 0)), QColor(Qt::green));
}

TEST_F(ImageListTest, ThumbnailsForAListThatHasGoneAreDropped) {
    makeList(ImageListRole::Advanced);
    const auto red = dir / "red.png";
    writePhoto(red, Qt::red);
    auto record = fakeRecord(red.string());
    record.objThumbImage = core::LazyThumbnail(red, 100);
    core::sharedImageList().replaceAll({record});
    const std::size_t queuedBefore = mainQueue->pendingCount();
    list->collImages->reloadData();  // the thumbnail is made in the background
    // The thumbnail is made and its delivery waits on the main queue when the list goes.
    // The bound only ends a wait that would never end: on a busy machine the first thumbnail of
    // the process (libvips starting) may take many seconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (list->thumbnailsInFlight() > 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(record.objThumbImage->isMade());
    ASSERT_GT(mainQueue->pendingCount(), queuedBefore) << "the delivery is on its way";
    pane->removeChild(0);
    list.reset();
    mainQueue->runUntilIdle();
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
    for (QWidget* widget : QApplication::allWidgets())
        EXPECT_EQ(qobject_cast<screens::ImageItemView*>(widget), nullptr)
            << "no item of the gone list is left";

    // The thumbnail made for the gone list serves the next one at once.
    makeList(ImageListRole::Advanced);
    list->collImages->reloadData();
    ASSERT_NE(gridItem(*list, 0), nullptr);
    EXPECT_EQ(centreColour(*gridItem(*list, 0)), QColor(Qt::red));
}

TEST_F(ImageListTest, TheActivityScreensCopyShrinksWithoutTouchingTheUsersList) {
    core::sharedImageList().replaceAll(
        {fakeRecord("/p/a.jpg"), fakeRecord("/p/b.jpg"), fakeRecord("/p/c.jpg")});
    makeList(ImageListRole::Activity);
    EXPECT_TRUE(list->bIsInActivityMode);
    ASSERT_TRUE(list->arrImgListForProcessing);
    EXPECT_EQ(list->arrImgListForProcessing->size(), 3u);
    EXPECT_TRUE(list->noImages->isHidden());

    list->removeFirstItem(false);
    EXPECT_EQ(list->displayedCount(), 2);
    list->removeFirstItem(true);
    wait(30);
    EXPECT_EQ(list->displayedCount(), 1);
    EXPECT_EQ(list->arrImgListForProcessing->front().strFileName, "c.jpg");
    EXPECT_EQ(core::sharedImageList().count(), 3u);

    list->removeFirstItem(false);
    list->removeFirstItem(false);
    list->removeFirstItem(true);
    wait(30);
    EXPECT_EQ(list->displayedCount(), 0);

    list->loadProcessingList();
    EXPECT_EQ(list->displayedCount(), 3);

    // A reload while the slide runs: the slid record leaves, whatever is first by then.
    appkit::AnimationClock::setDurationScale(1);
    list->removeFirstItem(true);
    list->arrImgListForProcessing->erase(list->arrImgListForProcessing->begin());
    list->arrImgListForProcessing->push_back(fakeRecord("/p/d.jpg"));
    list->collImages->reloadData();
    wait(600);
    EXPECT_EQ(list->displayedCount(), 3);
}

TEST_F(ImageListTest, SpacePreviewsOnlyWhenTheListHasTheFocus) {
    makeList(ImageListRole::Advanced);
    core::sharedImageList().replaceAll({fakeRecord("/p/a.jpg"), fakeRecord("/p/b.jpg")});
    list->collImages->reloadData();
    auto* field = new QLineEdit(pane->view());
    tabs->view()->activateWindow();
    QApplication::setActiveWindow(tabs->view());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(field->text(), " ") << "the space reaches the focused field";
    mainQueue->advance(0.2);
    EXPECT_EQ(tabs->toggles, 0);

    list->collImages->setFocus();
    QTest::keyClick(list->collImages, Qt::Key_Space);
    EXPECT_EQ(tabs->previewCount, 2u);
    EXPECT_EQ(tabs->previewGrid, list->collImages.data());
    EXPECT_EQ(tabs->toggles, 0);
    mainQueue->advance(0.1);
    EXPECT_EQ(tabs->toggles, 1);

    // The preview button works before the space bar: the preview list is filled first.
    list->showImagePreView();
    EXPECT_EQ(tabs->toggles, 2);

    // With the list gone, a space press reaches nobody's freed monitor.
    field->setFocus();
    pane->removeChild(0);
    list.reset();
    drain();
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(field->text(), "  ");
}

TEST_F(ImageListTest, ALongListMakesItemsOnlyForWhatIsInView) {
    std::vector<core::SourceURLInfo> records;
    for (int i = 0; i < 10000; ++i) records.push_back(fakeRecord("/p/" + std::to_string(i) + ".jpg"));
    core::sharedImageList().replaceAll(records);
    makeList(ImageListRole::Advanced);
    EXPECT_EQ(list->collImages->numberOfItems(), 10000);
    const auto shown = list->collImages->visibleIndexes();
    EXPECT_GT(shown.size(), 0u);
    EXPECT_LT(shown.size(), 60u);
    list->collImages->scrollToItem(9999);
    drain();
    ASSERT_NE(gridItem(*list, 9999), nullptr);
    EXPECT_EQ(gridItem(*list, 9999)->nameLabel()->text(), "9999.jpg");
    EXPECT_LT(list->collImages->visibleIndexes().size(), 60u);
}

}  // namespace
}  // namespace imagelisttest
