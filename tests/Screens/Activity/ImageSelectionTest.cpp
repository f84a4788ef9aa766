// Selection, marks and removal in the image list, and the pane's buttons and label that follow them.

#include <gtest/gtest.h>

#include "ImageListFixture.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImagePreviewItem.h"

namespace imagelisttest {
namespace {

using screens::ImageListRole;

class ImageSelectionTest : public ImageListTest {
  protected:
    // `n` records a.jpg, b.jpg, ... listed without files.
    void fillList(int n) {
        std::vector<core::SourceURLInfo> records;
        for (int i = 0; i < n; ++i)
            records.push_back(fakeRecord("/photos/" + std::string(1, char('a' + i)) + ".jpg"));
        core::sharedImageList().replaceAll(records);
        list->collImages->reloadData();
        list->tableView->reloadData();
        list->notifyParentsOfImageCount(false);
        list->notifyParentOfSelection();
        drain();
    }
    screens::ImageItemView* gridItem(int index) {
        auto* item = list->collImages->itemAtIndex(index);
        return item ? qobject_cast<screens::ImageItemView*>(item->view()) : nullptr;
    }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& r : core::sharedImageList().snapshot()) result.push_back(r.strFileName);
        return result;
    }
};

TEST_F(ImageSelectionTest, WithAnEmptyListTheButtonsAreHiddenAndTheEmptyViewShows) {
    makeList(ImageListRole::Bulk);
    list->notifyParentsOfImageCount(false);
    EXPECT_TRUE(pane->selectAll->isHidden());
    EXPECT_TRUE(pane->remove->isHidden());
    EXPECT_FALSE(list->noImages->isHidden());
    fillList(2);
    EXPECT_FALSE(pane->selectAll->isHidden());
    EXPECT_TRUE(pane->remove->isHidden()) << "nothing to delete yet";
    EXPECT_TRUE(list->noImages->isHidden());
}

TEST_F(ImageSelectionTest, DeleteRemovesExactlyTheMarkedItems) {
    makeList(ImageListRole::Advanced);
    fillList(5);
    for (int item : {1, 3}) {
        auto* view = gridItem(item);
        ASSERT_NE(view, nullptr);
        view->markButton()->click();
        EXPECT_EQ(view->markImage()->imageName(), "select");
    }
    EXPECT_EQ(list->arrItemsInt, (std::vector<int>{1, 3}));
    EXPECT_FALSE(pane->remove->isHidden()) << "the delete button shows once something is marked";

    // A selection elsewhere does not widen what the marks delete.
    list->collImages->setSelectionIndexes({0});
    list->applyGridSelectionChange({0}, true);
    list->onClearSelected();
    drain();

    EXPECT_EQ(names(), (std::vector<std::string>{"a.jpg", "c.jpg", "e.jpg"}));
    EXPECT_TRUE(list->arrItemsInt.empty());
    EXPECT_TRUE(list->mSetIdxSelected.empty());
    EXPECT_TRUE(pane->remove->isHidden());
    EXPECT_EQ(pane->label, "3 Images");
    EXPECT_EQ(list->collImages->numberOfItems(), 3);
    EXPECT_EQ(gridItem(1)->nameLabel()->text(), "c.jpg");
}

TEST_F(ImageSelectionTest, UnmarkingAndRemovingTheSelectionWhenNothingIsMarked) {
    makeList(ImageListRole::Rename);
    fillList(5);
    list->tableView->selectRowIndexes({1, 3}, false);
    EXPECT_EQ(list->mSetIdxSelected, (std::set<int>{1, 3}));
    EXPECT_EQ(pane->label, "2 Selected");
    EXPECT_FALSE(pane->remove->isHidden());
    list->removeSelectedImages();
    EXPECT_EQ(names(), (std::vector<std::string>{"a.jpg", "c.jpg", "e.jpg"}));
    EXPECT_EQ(list->tableView->numberOfRows(), 3);

    // Removing with nothing selected keeps every image but refreshes the label.
    const int updates = pane->labelUpdates;
    list->removeSelectedImages();
    EXPECT_EQ(names().size(), 3u);
    EXPECT_GT(pane->labelUpdates, updates);
    EXPECT_EQ(pane->label, "3 Images");
}

TEST_F(ImageSelectionTest, TheSelectionLabelReadsCountPathOrSelected) {
    makeList(ImageListRole::Advanced);
    fillList(4);
    EXPECT_EQ(pane->label, "4 Images");
    list->collImages->setSelectionIndexes({2});
    list->applyGridSelectionChange({2}, true);
    EXPECT_EQ(pane->label, "Path: /photos/c.jpg");
    list->applyGridSelectionChange({0, 3}, true);
    EXPECT_EQ(pane->label, "3 Selected");
    list->deselectAllImages();
    EXPECT_EQ(pane->label, "4 Images");

    EXPECT_EQ(screens::selectionLabelText({}, {}), "0 Images");
    EXPECT_EQ(screens::selectionLabelText({7}, {fakeRecord("/x.jpg")}), "Path: ")
        << "a stale number shows no path";
}

TEST_F(ImageSelectionTest, SelectingAGridItemDrawsTheHighlightBorder) {
    makeList(ImageListRole::Advanced);
    fillList(3);
    list->collImages->setSelectionIndexes({1});
    list->applyGridSelectionChange({1}, true);
    wait(20);
    const auto* layer = gridItem(1)->layer();
    ASSERT_NE(layer, nullptr);
    EXPECT_DOUBLE_EQ(layer->borderWidth, 2.0);
    ASSERT_TRUE(layer->borderColor);
    EXPECT_DOUBLE_EQ(layer->borderColor->blue, screens::selectedMenuItemColor().blue);

    // A grid item made later for a selected index is drawn selected too.
    list->collImages->reloadData();
    wait(20);
    EXPECT_DOUBLE_EQ(gridItem(1)->layer()->borderWidth, 2.0);
    list->applyGridSelectionChange({1}, false);
    wait(20);
    EXPECT_DOUBLE_EQ(gridItem(1)->layer()->borderWidth, 0.0);
}

TEST_F(ImageSelectionTest, SelectAllTakesTheTableOnTheRenameTabAndTheGridElsewhere) {
    makeList(ImageListRole::Rename);
    fillList(3);
    tabs->tab = 2;
    list->selectAllImages();
    EXPECT_EQ(list->tableView->selectedRowIndexes(), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(pane->label, "3 Selected");

    list.reset();
    pane.reset();
    tabs.reset();
    drain();
    makeList(ImageListRole::Advanced);
    fillList(3);
    tabs->tab = 1;
    list->selectAllImages();
    EXPECT_EQ(list->collImages->selectionIndexes(), (std::set<int>{0, 1, 2}));
    wait(20);
    EXPECT_DOUBLE_EQ(gridItem(2)->layer()->borderWidth, 2.0);
    EXPECT_TRUE(list->tableView->selectedRowIndexes().empty());
}

TEST_F(ImageSelectionTest, TheSelectAllButtonMarksAndUnmarksEverything) {
    makeList(ImageListRole::Bulk);
    fillList(3);
    list->onSelectAll();
    EXPECT_EQ(list->arrItemsInt, (std::vector<int>{0, 1, 2}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gridItem(i)->markImage()->imageName(), "select");
    EXPECT_FALSE(pane->remove->isHidden());
    list->onSelectAll();
    EXPECT_TRUE(list->arrItemsInt.empty());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gridItem(i)->markImage()->imageName(), "deselect");
    EXPECT_TRUE(pane->remove->isHidden());
}

TEST_F(ImageSelectionTest, MarkButtonsWithoutAnItemNumberDoNothing) {
    makeList(ImageListRole::Advanced);
    fillList(2);
    controls::PushButton stray;
    stray.setCheckable(true);
    stray.setChecked(true);
    list->handleAddOrSelectButton(stray);
    EXPECT_TRUE(list->arrItemsInt.empty());
    stray.setProperty("accessibilityValue", QVariantList{QVariant("1"), QVariant()});
    list->handleAddOrSelectButton(stray);
    EXPECT_TRUE(list->arrItemsInt.empty());
}

TEST_F(ImageSelectionTest, TheOptionsPanesMarkButtonsOnlyTurnItsAddButton) {
    makeList(ImageListRole::AdvancedOptions);
    fillList(2);
    auto* view = gridItem(0);
    ASSERT_NE(view, nullptr);
    view->markButton()->click();
    EXPECT_TRUE(list->arrItemsInt.empty());
    EXPECT_EQ(pane->addManageImage, "manage");
}

}  // namespace
}  // namespace imagelisttest
