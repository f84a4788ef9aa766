// The option panes of the Bulk and Rename tabs: the preset Proceed builds from what the inputs show,
// the sample and preview of the rename pane, the pane serving the Advanced tab as a sheet, and the
// Rename tab giving way on a narrow window.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <cmath>

#include "Controls/Button.h"
#include "Controls/TextField.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Setup/BulkPreset.h"
#include "Screens/Setup/FormatSelectionView.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/RenameMasterVC.h"
#include "Screens/Setup/RenameOptionTVC.h"
#include "Screens/Setup/RenamedNames.h"
#include "Screens/Setup/TabScenes.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

namespace key = core::presetkey;

TEST(BulkPresetTest, ProceedBuildsTheSixEntriesFromWhatTheInputsShowOrNothing) {
    struct Case {
        float slider;
        const char* width;
        const char* height;
        bool saliency;
        int segment;
        std::optional<std::array<double, 3>> sizes;  // width, height, percent
    };
    const Case cases[] = {
        {37.8f, "", "", false, 0, {{0, 0, 37}}},
        {0, "800", "", false, 0, {{800, 0, 0}}},
        {0, "800.5", "", false, 1, {{800.5, 0, 0}}},
        {0, "", "", false, 1, std::nullopt},
        {0.4f, "", "", true, 0, std::nullopt},
        {50, "1200", "", false, 0, {{1200, 0, 50}}},
        {0, " 640px", "480", false, 2, {{640, 480, 0}}},
        {0, "-300", "0", false, 0, std::nullopt},
        {0, "inf", "nan", false, 0, std::nullopt},
        {0, "1e30", "", false, 0, {{screens::kLargestBulkSide, 0, 0}}},
        {0, "abc", "12", true, 1, {{0, 12, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height + " @ " + std::to_string(c.slider));
        const auto preset = screens::makeBulkPreset(c.slider, screens::bulkFieldValue(c.width),
                                                    screens::bulkFieldValue(c.height), c.saliency, c.segment);
        ASSERT_EQ(preset.has_value(), c.sizes.has_value());
        if (!preset) continue;
        EXPECT_EQ(preset->size(), 6u);
        EXPECT_EQ(core::presetName(*preset), "forBulk");
        EXPECT_DOUBLE_EQ(core::presetCGFloat(*preset, key::presetWidth), (*c.sizes)[0]);
        EXPECT_DOUBLE_EQ(core::presetCGFloat(*preset, key::presetHeight), (*c.sizes)[1]);
        EXPECT_DOUBLE_EQ(core::presetCGFloat(*preset, key::presetPercent), (*c.sizes)[2]);
        EXPECT_EQ(core::presetBool(*preset, key::autoSaliency), c.saliency);
        EXPECT_EQ(core::presetBool(*preset, key::imageCrop), c.segment == 1);
        EXPECT_FALSE(preset->count(std::string(key::outputFormat)));
    }
}

TEST(RenamedNamesTest, TheSampleTakesTheOutputFormatsExtensionOnceAndNeverABareDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Photo.jpg"},     {"Default", "Photo.jpg"}, {"DEFAULT", "Photo.jpg"},
        {".png", "Photo.png"}, {"png", "Photo.png"},     {".", "Photo.jpg"},
    };
    for (const auto& [format, shown] : cases)
        EXPECT_EQ(screens::demoLabelWithFormat("Photo", "jpg", format), shown) << format;
}

class RenamePaneTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        defaults = std::make_unique<foundation::UserDefaults>(dir / "settings.json");
        registerTabScenes(appkit::Storyboard::main(), *defaults);
        core::sharedImageList().replaceAll({});
        core::sharedRenameOptions().reset();
    }
    void TearDown() override {
        window.reset();
        core::sharedImageList().replaceAll({});
        core::sharedRenameOptions().reset();
        UiTest::TearDown();
    }
    template <class T>
    std::shared_ptr<T> show(const char* scene, int width) {
        auto screen = appkit::Storyboard::main().instantiate<T>(scene);
        window = std::make_unique<appkit::Window>();
        window->setContentViewController(screen);
        window->resize(width, 600);
        window->show();
        drain();
        return screen;
    }

    testsupport::TempDir dir;
    std::unique_ptr<foundation::UserDefaults> defaults;
    std::unique_ptr<appkit::Window> window;
};

// Receives the preview as the Advanced options pane does.
class PreviewReceiver : public appkit::ViewController, public RenamePreviewReceiver {
  public:
    void takeRenamePreview(const std::string& text) override { received.push_back(text); }
    std::vector<std::string> received;
};

TEST_F(RenamePaneTest, AsTheAdvancedSheetItShowsEveryOptionPreviewsInTheFormatAndDoneHandsThePreviewBack) {
    // Options left from an earlier visit, the find and replace among them.
    core::sharedRenameOptions().set({"a_", "_b", "", "7", "x", "y"});
    auto advanced = std::make_shared<PreviewReceiver>();
    auto container = std::make_shared<appkit::ViewController>();
    window = std::make_unique<appkit::Window>();
    window->setContentViewController(container);
    window->show();
    container->addChild(advanced);
    container->view()->addSubview(advanced->view());
    auto pane = appkit::Storyboard::main().instantiate<RenameOptionTVC>(ids::scene::RenameOptionTVC);
    container->addChild(pane);
    container->view()->addSubview(pane->view());
    pane->strOutputFormat = ".png";
    pane->vcCallFrom = advanced.get();
    pane->runLoadSteps();
    pane->runLoadSteps();
    drain();

    const std::vector<std::pair<controls::TextField*, const char*>> fields = {
        {pane->txtPrefix, "a_"},      {pane->txtSufix, "_b"}, {pane->txtRename, ""},
        {pane->txtInitialIndex, "7"}, {pane->txtFind, "x"},   {pane->txtReplace, "y"}};
    for (const auto& [field, text] : fields) EXPECT_EQ(field->text(), text);
    EXPECT_EQ(pane->lblDemo->text(), "Photo.png") << "the extension is added once";
    EXPECT_EQ(pane->lblPreview->text(), "a_Photo_b7.png");
    EXPECT_EQ(pane->btnDone->title(), "Done");
    EXPECT_FALSE(pane->demoView->isHidden());

    QTest::keyClicks(pane->txtRename, "Holiday");
    EXPECT_EQ(core::sharedRenameOptions().get().renameNewName, "Holiday");
    EXPECT_EQ(pane->lblPreview->text(), "a_Holiday_b7.png");

    QTest::mouseClick(pane->btnDone, Qt::LeftButton);
    drain();
    EXPECT_EQ(advanced->received, std::vector<std::string>{"a_Holiday_b7.png"});
    EXPECT_EQ(container->children().size(), 1u) << "the sheet slid back to the Advanced options";
}

TEST_F(RenamePaneTest, ANarrowWindowHidesTheTopBarItemsFromThe644PointMarkOnLaterPasses) {
    struct Case {
        int width;
        bool hiddenFirst;
        bool hiddenLater;
    };
    for (const Case c : {Case{643, true, true}, Case{644, false, true}, Case{645, false, false}}) {
        SCOPED_TRACE(c.width);
        auto screen = appkit::Storyboard::main().instantiate<RenameMasterVC>(ids::scene::RenameMasterVC);
        window = std::make_unique<appkit::Window>();
        window->resize(c.width, 600);
        window->setContentViewController(screen);
        window->resize(c.width, 600);
        screen->framewidthPrev.reset();
        screen->adaptToWindowWidth();
        drain();
        const auto items = screen->stackViewTop->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        ASSERT_GE(items.size(), 4);
        EXPECT_EQ(items[1]->isHidden(), c.hiddenFirst) << "the Add Images button, first pass";
        EXPECT_EQ(screen->lblPathorCount->parentWidget()->isHidden(), c.hiddenFirst);
        screen->adaptToWindowWidth();
        EXPECT_EQ(items[1]->isHidden(), c.hiddenLater) << "later passes";
        EXPECT_EQ(items[0]->isHidden(), c.hiddenLater);
        window.reset();
    }
}

}  // namespace

namespace {

class FormatRowTest : public testsupport::UiTest {};

TEST_F(FormatRowTest, TheSelectionSitsUnderTheChosenFormatFromTheFirstFrameWithAnimationsRunning) {
    // Animations at their real pace, as in the application: the row is made before it is laid out.
    appkit::AnimationClock::setDurationScale(1);
    appkit::Window window;
    auto row = std::make_shared<FormatSelectionView>();
    QWidget* rowView = row->view();
    rowView->setParent(&window);
    window.resize(700, 120);
    rowView->setGeometry(10, 10, 680, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto selectionUnder = [&](int tag) {
        return row->formatSelectedBG->geometry() == row->buttonWithTag(tag)->geometry();
    };
    for (int frame = 0; frame < 8; ++frame) {
        QTest::qWait(50);
        EXPECT_TRUE(selectionUnder(1)) << "at " << frame * 50 << " ms the selection strays from Default";
    }
    EXPECT_LT(row->formatSelectedBG->width(), row->formatBtnContainer->width() / 3);

    QTest::mouseClick(row->buttonWithTag(3), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return selectionUnder(3); }, 2000)) << "it slides under .png";
}

}  // namespace
