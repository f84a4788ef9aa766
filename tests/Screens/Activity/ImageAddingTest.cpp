// Adding images to the list: which files are taken from files and folders, duplicates, order,
// output names, marks, and that an addition that finds nothing changes nothing.

#include <gtest/gtest.h>

#include "ImageListFixture.h"
#include "Screens/Activity/ImageCollector.h"

namespace imagelisttest {
namespace {

using screens::ImageListRole;

TEST_F(ImageListTest, AddingFoldersTakesExactlyTheImagesInWalkOrder) {
    makeList(ImageListRole::Advanced);
    const auto root = dir / "Trip";
    writePhoto(root / "b.jpg", Qt::red);
    writePhoto(root / "a.png", Qt::green);
    writePhoto(root / "day1" / "deep" / "c.JPG", Qt::blue);
    writePhoto(root / "day1" / "d.jpeg", Qt::yellow);
    writePhoto(root / ".hidden.jpg", Qt::gray);
    writePhoto(root / ".cache" / "e.jpg", Qt::gray);
    testsupport::TempDir::read(dir.write("Trip/notes.txt", "not an image"));
    writePhoto(root / "day1" / "photo-without-extension.jpg", Qt::cyan);
    std::filesystem::rename(root / "day1" / "photo-without-extension.jpg", root / "day1" / "noext");
    writePhoto(dir / "Other" / "f.jpg", Qt::magenta);
    std::filesystem::create_directory_symlink(root / "day1", dir / "Other" / "link");

    // One folder as the panel gives it (no trailing "/"), one as a directory URL.
    addAndWait({root.string(), (dir / "Other").string() + "/"}, 6);

    // A JPEG is an image by its content even without an extension; a text file is not.
    EXPECT_EQ(listedPaths(),
              (std::vector<std::string>{
                  (root / "a.png").string(), (root / "b.jpg").string(), (root / "day1" / "d.jpeg").string(),
                  (root / "day1" / "deep" / "c.JPG").string(), (root / "day1" / "noext").string(),
                  (dir / "Other" / "f.jpg").string()}));
    const auto records = core::sharedImageList().snapshot();
    EXPECT_EQ(records[0].strRootPath, "Trip");
    EXPECT_EQ(records[3].strRelativePath, "day1/deep");
    EXPECT_EQ(records[0].updatedUrl, root / "a.png");
    EXPECT_FALSE(records[0].fileSize.empty());
    EXPECT_TRUE(list->noImages->isHidden());
}

TEST_F(ImageListTest, AFileAlreadyListedIsNotAddedAgainButOneCallMayNameAFileTwice) {
    makeList(ImageListRole::Advanced);
    const auto a = dir / "a.jpg", b = dir / "b.jpg";
    writePhoto(a, Qt::red);
    writePhoto(b, Qt::green);
    addAndWait({a.string()}, 1);
    const auto first = core::sharedImageList().snapshot().front();

    addAndWait({a.string(), b.string(), b.string()}, 3);
    EXPECT_EQ(listedPaths(), (std::vector<std::string>{a.string(), b.string(), b.string()}));
    EXPECT_EQ(core::sharedImageList().snapshot().front().id, first.id)
        << "existing records stay as they were";

    // Composed and decomposed spellings of one name are the same path.
    const screens::KnownPaths known({"/p/cafe\xCC\x81.jpg", "/q/caf\xC3\xA9/r/a.jpg"});
    EXPECT_TRUE(known.contains("/p/caf\xC3\xA9.jpg"));
    EXPECT_FALSE(known.contains("/p/Cafe.jpg"));
    // So are the folders that hold them, and only folders, not names that merely begin alike.
    EXPECT_TRUE(known.holdsSomeInside("/q/cafe\xCC\x81"));
    EXPECT_TRUE(known.holdsSomeInside("/q/caf\xC3\xA9/r/"));
    EXPECT_FALSE(known.holdsSomeInside("/q/caf"));
    EXPECT_FALSE(known.holdsSomeInside("/q/caf\xC3\xA9/r/a.jpg"));
}

TEST_F(ImageListTest, AnAdditionThatFindsNothingChangesNothing) {
    makeList(ImageListRole::Advanced);
    const auto a = dir / "a.jpg";
    writePhoto(a, Qt::red);
    addAndWait({a.string()}, 1);
    mainQueue->advance(1.5);
    list->arrItemsInt = {0};
    const int notices = pane->activityNotices;

    writePhoto(dir / "empty" / ".x.jpg", Qt::red);
    dir.write("empty/readme.md", "#");
    list->addImages({});
    list->addImages({(dir / "empty").string(), (dir / "empty" / "readme.md").string(), a.string()});
    settle();

    EXPECT_EQ(core::sharedImageList().count(), 1u);
    EXPECT_EQ(list->arrItemsInt, std::vector<int>{0}) << "marks survive an addition that adds nothing";
    EXPECT_FALSE(list->bAddingImagesNow);
    EXPECT_EQ(pane->activityNotices, notices);
}

TEST_F(ImageListTest, NewImagesFollowTheOldOnesWithTheirOutputNamesTakenWhenTheAdditionStarted) {
    makeList(ImageListRole::Advanced);
    const auto a = dir / "a.jpg", b = dir / "b.jpg";
    writePhoto(a, Qt::red);
    writePhoto(b, Qt::green);
    addAndWait({a.string()}, 1);
    list->arrItemsInt = {0};

    core::RenameOptions options;
    options.renamePrefix = "x_";
    core::sharedRenameOptions().set(options);
    list->addImages({b.string()});
    core::sharedRenameOptions().reset();  // the Rename tab types on while the files are collected
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 2; }));

    const auto records = core::sharedImageList().snapshot();
    EXPECT_EQ(records[0].updatedUrl, a) << "existing output names are untouched";
    EXPECT_EQ(records[1].updatedUrl, dir / "x_b.jpg");
    EXPECT_TRUE(list->arrItemsInt.empty()) << "a successful addition clears the marks";
    EXPECT_TRUE(list->bAddingImagesNow);
    EXPECT_EQ(pane->label, "2 Images");
    EXPECT_FALSE(pane->selectAll->isHidden());
    mainQueue->advance(1.0);
    EXPECT_FALSE(list->bAddingImagesNow);
}

TEST_F(ImageListTest, TheOpenPanelAndDropsAddThroughTheList) {
    makeList(ImageListRole::Rename);
    const auto a = dir / "a.jpg", b = dir / "pics" / "b.png";
    writePhoto(a, Qt::red);
    writePhoto(b, Qt::green);

    tabs->answer = {a.string()};
    list->onBrowseFiles();
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 1; }));
    EXPECT_EQ(tabs->browseCount, 1);

    const auto dropped = testsupport::dropFiles(list->view(), {(dir / "pics").string()});
    EXPECT_TRUE(dropped.dropAccepted);
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 2; }));
    EXPECT_EQ(listedPaths().back(), b.string());

    pane->running = true;
    EXPECT_FALSE(list->canAcceptImages());
    EXPECT_FALSE(testsupport::dropFiles(list->view(), {a.string()}).enterAccepted)
        << "drops are refused while the pane's job runs";
}

TEST_F(ImageListTest, AnAdditionFinishingAfterItsListHasGoneIsDropped) {
    makeList(ImageListRole::Advanced);
    const auto a = dir / "a.jpg";
    writePhoto(a, Qt::red);
    list->addImages({a.string()});
    QPointer<screens::CollectionVC> gone(list.get());
    list.reset();
    pane.reset();
    tabs.reset();
    ASSERT_TRUE(gone.isNull());
    settle();
    EXPECT_TRUE(core::sharedImageList().isEmpty());
}

TEST_F(ImageListTest, AnAdditionFinishingAfterTheListWasStartedAfreshIsDropped) {
    makeList(ImageListRole::Rename);
    const auto a = dir / "a.jpg", b = dir / "b.jpg";
    writePhoto(a, Qt::red);
    writePhoto(b, Qt::green);
    list->addImages({a.string()});
    core::sharedImageList().removeAll();  // the tab was switched while the files were collected
    settle();
    EXPECT_TRUE(core::sharedImageList().isEmpty());
    addAndWait({b.string()}, 1);
    EXPECT_EQ(listedPaths(), std::vector<std::string>{b.string()});
}

}  // namespace
}  // namespace imagelisttest
