// The Advanced tab as a user meets it in the application: photos added to its list, sizes chosen in
// the size picker, an effect, a format and a rename, then Start; what the job writes, what the
// effects grid shows while the list changes, and that the tab leaves the main loop idle.

#include <QAbstractScrollArea>
#include <QScrollBar>

#include "AdvancedTabFixture.h"
#include "Controls/ViewAccent.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Support/OtherDecoders.h"

namespace {

namespace fs = std::filesystem;
using testsupport::AdvancedTabTest;

TEST_F(AdvancedTabTest, ThreeSizesSepiaPngAndAPrefixGiveThreeFoldersOfRenamedSepiaPngs) {
    startOnAdvancedTab();
    const auto sources = photos(2);
    std::vector<std::uintmax_t> sizesBefore;
    for (const auto& s : sources) sizesBefore.push_back(fs::file_size(s));
    addToList(sources);
    EXPECT_EQ(master()->lblPathorCount->text(), "2 Images");
    // With no size chosen the box says what a job does then, not an empty frame.
    SizeListVC* sizeList = pane()->sizeListVC();
    EXPECT_TRUE(sizeList->emptyHint->isVisibleTo(sizeList->view()));

    chooseSizes({"W-1280", "HD", "SD"});
    EXPECT_EQ(pane()->sizeListVC()->mArrPresetsSelected.size(), 3u);
    EXPECT_FALSE(sizeList->emptyHint->isVisibleTo(sizeList->view()));
    EXPECT_EQ(pane()->resizeView->height(), 3 * 40 + 105);
    // Unticking a size in the picker takes it out of the list.
    chooseSizes({"W-1280", "HD", "SD", "4K"});
    chooseSizes({"W-1280", "HD", "SD"});
    ASSERT_EQ(pane()->sizeListVC()->mArrPresetsSelected.size(), 3u);

    EffectCollectionVC* effects = pane()->effectCollectionVC();
    effects->collEffects->scrollToItem(14);
    drain();
    auto* sepia = effects->collEffects->itemAtIndex(14);
    ASSERT_NE(sepia, nullptr);
    click(qobject_cast<appkit::View*>(sepia->view())->subviews()[3]);
    EXPECT_EQ(effects->intSelectedNow, 14);
    FormatSelectionView* format = pane()->firstChild<FormatSelectionView>();
    click(format->buttonWithTag(3));
    ASSERT_EQ(pane()->strOutputFormat, ".png");

    // The rename pane slides in over the options, previews the new name in the chosen format and
    // hands that preview back to the rename row.
    click(pane()->renameView->findChild<controls::Button*>());
    mainQueue->advance(0.5);
    drain();
    RenameOptionTVC* rename = master()->holder()->firstChild<RenameOptionTVC>();
    ASSERT_NE(rename, nullptr);
    QTest::keyClicks(rename->txtPrefix, "trip-");
    drain();
    EXPECT_EQ(rename->lblPreview->text(), "trip-Photo.png");
    click(rename->btnDone);
    mainQueue->advance(0.5);
    drain();
    QLineEdit* renameRow = nullptr;
    for (QLineEdit* field : pane()->renameView->findChildren<QLineEdit*>())
        if (appkit::View::tagOf(field) == 1) renameRow = field;
    ASSERT_NE(renameRow, nullptr);
    EXPECT_EQ(renameRow->text(), "trip-Photo.png");
    EXPECT_EQ(core::sharedRenameOptions().get().renamePrefix, "trip-");

    const fs::path out = dir / "out";
    fs::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    proceed();
    ASSERT_TRUE(runToEnd());

    const auto written = filesUnder(out);
    ASSERT_EQ(written.size(), 6u);
    std::set<std::string> folders;
    for (const auto& file : written) {
        SCOPED_TRACE(file.string());
        folders.insert(file.parent_path().filename().string());
        EXPECT_EQ(file.extension(), ".png");
        EXPECT_TRUE(file.filename().string().starts_with("trip-photo"));
        const QImage image(QString::fromStdString(file.string()));
        ASSERT_FALSE(image.isNull());
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) {
                const QColor c = image.pixelColor(x, y);
                r += c.red(), g += c.green(), b += c.blue();
            }
        EXPECT_GT(r, g) << "sepia: warm";
        EXPECT_GT(g, b * 1.1) << "sepia: warm";
    }
    EXPECT_EQ(folders, (std::set<std::string>{"W-1280", "HD", "SD"}));
    for (std::size_t i = 0; i < sources.size(); ++i) EXPECT_EQ(fs::file_size(sources[i]), sizesBefore[i]);

    // Each chosen saved size counts one use, saved; a second run counts again.
    auto row = [](const std::string& name) {
        for (const auto& p : core::sharedPresetList().snapshot())
            if (core::presetName(p) == name) return p;
        return core::PresetInfo{};
    };
    EXPECT_EQ(count(row("HD")), 1);
    EXPECT_EQ(count(row("4K")), 0);
    master()->holder()->activityVC()->returnToParentScreen();
    drain();
    proceed();
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(count(row("HD")), 2);
    for (const auto& p : core::loadPresetList(*storedSettings())) {
        if (core::presetName(p) == "HD") {
            EXPECT_EQ(count(p), 2);
        }
    }
}

TEST_F(AdvancedTabTest, WithoutASizeThePlaceholderCopiesTheOriginalsAndCancellingTheFolderStartsNothing) {
    startOnAdvancedTab();
    const auto sources = photos(2, 800, 600);
    const auto saved = core::loadPresetList(*storedSettings());

    click(pane()->btnProceed);
    EXPECT_EQ(master()->holder()->children().size(), 1u) << "no images: nothing starts, nothing is asked";

    addToList(sources);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    proceed();
    EXPECT_EQ(master()->holder()->children().size(), 1u) << "a cancelled folder panel starts nothing";

    const fs::path out = dir / "out";
    fs::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    proceed();
    ASSERT_TRUE(runToEnd());
    const auto written = filesUnder(out);
    ASSERT_EQ(written.size(), 2u);
    for (const auto& file : written) {
        const auto source = dir / "in" / file.filename();
        ASSERT_TRUE(fs::exists(source)) << file;
        EXPECT_EQ(fs::file_size(file), fs::file_size(source)) << "copied as they are";
    }
    EXPECT_EQ(core::loadPresetList(*storedSettings()), saved) << "the presets are saved unchanged";

    // A folder that has gone is asked for again.
    fs::remove_all(out);
    master()->holder()->activityVC()->returnToParentScreen();
    drain();
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    click(pane()->btnProceed);
    EXPECT_FALSE(appkit::ModalScript::takeOpenPanelAnswer().has_value()) << "the panel was asked";
    EXPECT_EQ(master()->holder()->children().size(), 1u);
}

TEST_F(AdvancedTabTest, TheEffectsGridFollowsTheListAndDropsStaleThumbnails) {
    startOnAdvancedTab();
    EffectCollectionVC* effects = pane()->effectCollectionVC();
    ASSERT_EQ(effects->collEffects->numberOfItems(), 31);
    ASSERT_TRUE(
        mainQueue->runUntil([&] { return effects->pendingThumbnails() == 0; }, std::chrono::seconds(30)));

    auto colourOfItem = [&](int index) {
        auto* item = effects->collEffects->itemAtIndex(index);
        auto* label =
            item ? qobject_cast<QLabel*>(qobject_cast<appkit::View*>(item->view())->subviews()[1]) : nullptr;
        const QImage image = label ? label->pixmap().toImage() : QImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    };
    const QColor sample = colourOfItem(0);
    ASSERT_TRUE(sample.isValid()) << "an empty list shows the sample scene";

    // Two photos of plain colours added one after the other, faster than the thumbnails render:
    // every thumbnail ends up showing the first image of the list, none the list as it was.
    auto plain = [&](const std::string& name, QColor colour) {
        const auto path = dir / "in" / name;
        fs::create_directories(path.parent_path());
        QImage image(2400, 1600, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QString::fromStdString(path.string()));
        return path.string();
    };
    const auto red = plain("red.png", QColor(220, 30, 30));
    const auto blue = plain("blue.png", QColor(30, 30, 220));
    master()->addImages({red});
    ASSERT_TRUE(
        mainQueue->runUntil([&] { return core::sharedImageList().count() == 1; }, std::chrono::seconds(30)));
    // The list changes again while the red thumbnails are still on their way.
    master()->collectionVCEmbeded->toggleAllChecks();
    master()->collectionVCEmbeded->removeSelectedImages();
    master()->addImages({blue});
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return core::sharedImageList().count() == 1 && effects->pendingThumbnails() == 0; },
        std::chrono::seconds(30)));
    drain();
    ASSERT_EQ(core::sharedImageList().at(0)->strFullPath, blue);
    const QColor original = colourOfItem(0);
    ASSERT_TRUE(original.isValid());
    EXPECT_GT(original.blue(), 150);
    EXPECT_LT(original.red(), 80) << "no stale red thumbnail";
    const QColor invert = colourOfItem(22);  // "Invert"
    if (invert.isValid()) {
        EXPECT_GT(invert.red(), 150);
    }
    EXPECT_EQ(effects->imgToPreviewEffect()->image().has_value(), true);
    EXPECT_LE(std::max(effects->imgToPreviewEffect()->image()->width(),
                       effects->imgToPreviewEffect()->image()->height()),
              200)
        << "rendered from a reduced copy";

    // A first image whose header reads but whose picture does not (a photo cut short) gives every
    // thumbnail the sample scene, as an empty list does.
    const auto unreadable = dir / "in" / "cut.jpg";
    testsupport::writeTestImage(unreadable, 1200, 800, 7);
    fs::resize_file(unreadable, fs::file_size(unreadable) / 3);
    const auto libjpeg = testsupport::readElsewhere(unreadable);
    ASSERT_TRUE(libjpeg && !libjpeg->whole) << "libjpeg finds it cut as well";
    screens::CollectionVC* list = master()->collectionVCEmbeded;
    list->toggleAllChecks();
    if (list->arrItemsInt.empty()) list->toggleAllChecks();  // that one cleared the marks
    list->removeSelectedImages();
    master()->addImages({unreadable.string()});
    ASSERT_TRUE(mainQueue->runUntil(
        [&] {
            return core::sharedImageList().count() == 1 &&
                   core::sharedImageList().at(0)->strFullPath == unreadable.string() &&
                   effects->imgToPreviewEffect() && effects->pendingThumbnails() == 0;
        },
        std::chrono::seconds(30)));
    drain();
    ASSERT_FALSE(effects->imgToPreviewEffect()->image()) << "the file really is unreadable";
    const std::vector<int> shown = effects->collEffects->visibleIndexes();
    ASSERT_FALSE(shown.empty());
    for (const int index : shown)
        EXPECT_TRUE(colourOfItem(index).isValid()) << "no picture in item " << index;
    EXPECT_EQ(colourOfItem(0), sample);
}

TEST_F(AdvancedTabTest, ChoosingAnEffectMovesTheHighlightOffThePreviousOne) {
    startOnAdvancedTab();
    EffectCollectionVC* effects = pane()->effectCollectionVC();
    // The items whose highlight shows: its backing colour and the white name on it.
    const auto highlighted = [&] {
        std::vector<int> on;
        for (int index = 0; index < effects->collEffects->numberOfItems(); ++index) {
            auto* item = effects->collEffects->itemAtIndex(index);
            if (!item) continue;
            const auto subviews = qobject_cast<appkit::View*>(item->view())->subviews();
            const bool backed = !view::isClear(view::background(*qobject_cast<appkit::View*>(subviews[0])));
            const bool white = subviews[2]->palette().color(QPalette::WindowText) == QColor(Qt::white);
            EXPECT_EQ(backed, white) << "item " << index << " is half highlighted";
            if (backed) on.push_back(index);
        }
        return on;
    };
    EXPECT_EQ(highlighted(), std::vector<int>{0}) << "Original is chosen at first";
    for (const int chosen : {2, 5, 5, 0, 3}) {
        SCOPED_TRACE(chosen);
        auto* item = effects->collEffects->itemAtIndex(chosen);
        ASSERT_NE(item, nullptr);
        click(qobject_cast<appkit::View*>(item->view())->subviews()[3]);
        EXPECT_EQ(effects->intSelectedNow, chosen);
        EXPECT_EQ(highlighted(), std::vector<int>{chosen});
    }
}

TEST_F(AdvancedTabTest, TheTabLeavesTheMainLoopIdleAndKeepsItsLayoutRules) {
    startOnAdvancedTab();
    addToList(photos(1, 800, 600));
    chooseSizes({"W-1280", "HD", "SD"});
    mainQueue->advance(10);
    drain();
    EXPECT_EQ(mainQueue->pendingCount(), 0u) << "nothing re-posted while the tab sits still";

    // One scroll bar at a time: no scrolling area of the options shows its bar inside another that
    // shows one or hides part of what it holds, and the run button stays put in a footer that never
    // scrolls.
    const auto nestedScrollBars = [&] {
        QWidget* options = pane()->view();
        const auto scrolls = [options](const QAbstractScrollArea* area) {
            const QScrollBar* bar = area->verticalScrollBar();
            return bar->isVisibleTo(options) && bar->maximum() > bar->minimum();
        };
        int nested = 0;
        for (const QAbstractScrollArea* inner : options->findChildren<QAbstractScrollArea*>()) {
            if (!inner->isVisibleTo(options)) continue;
            const QScrollBar* bar = inner->verticalScrollBar();
            // Content cut off with no bar to reach it counts as badly as a second bar.
            if (bar->maximum() > bar->minimum() && !bar->isVisibleTo(options)) ++nested;
            if (!scrolls(inner)) continue;
            for (QWidget* up = inner->parentWidget(); up && up != options; up = up->parentWidget())
                if (const auto* outer = qobject_cast<QAbstractScrollArea*>(up); outer && scrolls(outer))
                    ++nested;
        }
        return nested;
    };
    for (QWidget* up = pane()->btnProceed->parentWidget(); up; up = up->parentWidget())
        EXPECT_EQ(qobject_cast<QAbstractScrollArea*>(up), nullptr)
            << "the run button scrolls with the options";

    struct Width {
        int width;
        bool bottomBar, compact;
    };
    // After the first layout: wide above 604, compact at 600 and below.
    for (const Width& w : {Width{1000, true, false}, Width{604, false, false}, Width{605, true, false},
                           Width{600, false, true}, Width{500, false, true}}) {
        SCOPED_TRACE(w.width);
        window().resize(w.width, 700);
        master()->applyWindowWidth();
        EXPECT_EQ(!master()->bottomBarViews()[0]->isHidden(), w.bottomBar);
        EXPECT_EQ(!master()->btnAddImages->isHidden(), w.bottomBar);
        EXPECT_EQ(!pane()->imgCollView->isHidden(), w.compact);
        EXPECT_EQ(pane()->cnstEffectsHeight->constant(), w.compact ? 180 : 280);
        drain();
        EXPECT_EQ(nestedScrollBars(), 0) << "a scroll bar beside another";
    }

    // While the activity screen covers the options pane, a resize applies at once and posts nothing.
    const fs::path out = dir / "out";
    fs::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    proceed();
    ASSERT_TRUE(runToEnd());
    window().resize(1000, 700);
    master()->applyWindowWidth();
    EXPECT_EQ(pane()->cnstEffectsHeight->constant(), 280);
    mainQueue->advance(10);
    drain();
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(AdvancedTabTest, TheImageCountReadsWholeBesideSelectAllAtTheDefaultWindowWidth) {
    startOnAdvancedTab();
    ASSERT_EQ(window().width(), 1000) << "the window as it first opens";
    addToList(photos(1, 800, 600));
    ASSERT_TRUE(master()->btnSelectAll->isVisible());
    QLabel* count = master()->lblPathorCount;
    // The counts of a list of one image and of a thousand (the rest put in the list behind its back,
    // enough for the label's text).
    for (const std::size_t images : {1u, 1000u}) {
        std::vector<core::SourceURLInfo> more(images - core::sharedImageList().count());
        for (std::size_t i = 0; i < more.size(); ++i)
            more[i].strFullPath = "/photos/" + std::to_string(i) + ".jpg";
        core::sharedImageList().append(more);
        master()->updateSelectionLabel({});
        drain();
        ASSERT_EQ(count->text().toStdString(), std::to_string(images) + " Images");
        SCOPED_TRACE(count->text().toStdString());
        EXPECT_GE(count->contentsRect().width(), count->fontMetrics().horizontalAdvance(count->text()));
        // Not by cutting a button short, nor by widening the window.
        for (QWidget* w : std::initializer_list<QWidget*>{master()->btnSelectAll, master()->btnPreview,
                                                          master()->segColOrTbl, master()->btnAddImages})
            EXPECT_GE(w->width(), w->sizeHint().width()) << w->accessibleName().toStdString();
        EXPECT_EQ(window().width(), 1000);
    }
}

TEST_F(AdvancedTabTest, APresetMadeWhileTheAdvancedTabShowsLandsInThePresetList) {
    startOnAdvancedTab();
    click(app->mainWindowController()->btnAdd);
    const auto& presented = root().presentedViewControllers();
    ASSERT_FALSE(presented.empty());
    auto* sheet = dynamic_cast<AddPresetContainerForMac*>(presented.front().get());
    auto* page = sheet->firstChild<AddPresetNewVC>();
    click(page->firstChild<PresetDetailsTableVC>()->btnChooseSize);
    auto* p = sheet->firstChild<DefaultPresetsPickerVC>();
    ASSERT_NE(p, nullptr);
    QTest::keyClicks(p->txtWidth, "2048");
    click(p->btnDone);
    const auto before = core::sharedPresetList().count();
    click(page->btnDone);
    EXPECT_TRUE(root().presentedViewControllers().empty()) << "the sheet closes at once";
    EXPECT_EQ(core::sharedPresetList().count(), before + 1);
    EXPECT_EQ(core::loadPresetList(*storedSettings()).size(), before + 1) << "saved before the switch";
    mainQueue->advance(0.6);
    drain();
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    EXPECT_EQ(app->mainWindowController()->segBtn->selectedSegment(), 0);
    auto* list = tabBar()->firstChild<PresetListForIOS>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->collectionView->numberOfItems(), static_cast<int>(before + 1));
    EXPECT_EQ(core::presetName(core::sharedPresetList().snapshot().back()), "2048 x Auto");
}

}  // namespace

namespace {

TEST_F(AdvancedTabTest, ImagesFromTheMenuOrTheFileManagerAskBeforeTheyStopAJobAndCancelActivityAsks) {
    startOnAdvancedTab();
    addToList(photos(3, 1200, 800));
    chooseSizes({"SD"});
    chooseEnhancement();
    const fs::path out = dir / "out";
    fs::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    workerHold.emplace();
    proceed();
    const auto running = [&] { return jobRuns(); };
    ASSERT_TRUE(mainQueue->runUntil(running, std::chrono::seconds(30)));
    AppDelegate& delegate = app->delegate();
    ASSERT_TRUE(delegate.menuItem_CancelActivity->isEnabled());

    // More images by the menu (Ctrl+O) or from the file manager: the user is asked, and keeping the
    // job keeps it running and the list as it is.
    const auto more = dir / "more.jpg";
    testsupport::writeTestImage(more, 1200, 800, 9);
    const auto keepJob = [] {
        appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    };
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {more.string()}});
    keepJob();
    delegate.menuItem_AddImages->trigger();
    drain();
    mainQueue->advance(1.0);
    drain();
    EXPECT_FALSE(appkit::ModalScript::takeAlertAnswer()) << "asked before adding";
    EXPECT_TRUE(running()) << "Keep Job keeps the job";
    EXPECT_EQ(core::sharedImageList().count(), 3u);
    keepJob();
    app->openFiles({more.string()});
    mainQueue->advance(1.0);
    drain();
    mainQueue->advance(1.0);
    drain();
    EXPECT_FALSE(appkit::ModalScript::takeAlertAnswer()) << "asked before adding";
    EXPECT_TRUE(running());
    EXPECT_EQ(core::sharedImageList().count(), 3u);

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    delegate.menuItem_CancelActivity->trigger();
    drain();
    EXPECT_TRUE(running()) << "No leaves the job running";
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    delegate.menuItem_CancelActivity->trigger();
    drain();
    EXPECT_FALSE(delegate.menuItem_CancelActivity->isEnabled());
    EXPECT_FALSE(running());
    workerHold.reset();
    EXPECT_TRUE(
        mainQueue->runUntil([] { return dispatch::runningJobCount() == 0; }, std::chrono::seconds(30)));
    EXPECT_LT(filesUnder(out).size(), 3u) << "the job stopped before its last image";

    // A new job; this time the user stops it for the images, which then join the list.
    mainQueue->advance(1.0);
    drain();
    workerHold.emplace();
    proceed();
    ASSERT_TRUE(mainQueue->runUntil(running, std::chrono::seconds(30)));
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {more.string()}});
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    delegate.menuItem_AddImages->trigger();
    drain();
    EXPECT_EQ(master()->holder()->activityVC(), nullptr) << "Stop Job stops it and leaves its screen";
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 4; }));
}

TEST_F(AdvancedTabTest, DeleteRemovesASizeInTheSizeListAndImagesInTheImageList) {
    startOnAdvancedTab();
    addToList(photos(3, 800, 600));
    chooseSizes({"HD", "SD"});
    SizeListVC* sizes = pane()->sizeListVC();
    screens::CollectionVC& list = *master()->collectionVCEmbeded;
    QApplication::setActiveWindow(&window());
    auto press = [&](QWidget* focus) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Delete);
        drain();
    };
    // A click on an image's own frame selects it alone, as the mouse does.
    auto clickImage = [&](int index) {
        const QPoint at = list.collImages->frameForItem(index).topLeft() + QPoint(2, 2);
        QTest::mouseClick(list.collImages->viewport(), Qt::LeftButton, {}, at);
        drain();
    };

    // The size list has the focus: its selected size goes, every image stays.
    sizes->tblView->selectRowIndexes({0}, false);
    press(sizes->tblView);
    ASSERT_EQ(sizes->mArrPresetsSelected.size(), 1u);
    EXPECT_EQ(core::presetName(sizes->mArrPresetsSelected.front()), "SD");
    EXPECT_EQ(core::sharedImageList().count(), 3u);

    // The image grid has the focus: its selected image goes, the size stays.
    clickImage(1);
    ASSERT_EQ(list.mSetIdxSelected, (std::set<int>{1}));
    press(list.collImages);
    ASSERT_EQ(core::sharedImageList().count(), 2u);
    EXPECT_EQ(fs::path(core::sharedImageList().at(1)->strFullPath).filename(), "photo3.jpg");
    EXPECT_EQ(sizes->mArrPresetsSelected.size(), 1u);

    // Elsewhere Delete removes nothing, though an image is still selected.
    clickImage(0);
    press(pane()->btnProceed);
    EXPECT_EQ(core::sharedImageList().count(), 2u);
    EXPECT_EQ(sizes->mArrPresetsSelected.size(), 1u);
    // The menu's Remove Images removes the selection wherever the focus is.
    app->delegate().menuItem_RemoveImages->trigger();
    drain();
    EXPECT_EQ(core::sharedImageList().count(), 1u);
}

}  // namespace
