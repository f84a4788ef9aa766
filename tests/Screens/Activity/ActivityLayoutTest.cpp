// What a user sees of the activity screen's layout: the main button stays put in every state, the
// screen fits the preset list's side panel with the preview on, a job that could not run hides
// the preview and says what to do next, and every state has its close mark and no empty box.

#include <gtest/gtest.h>

#include <QLabel>

#include "ActivityFixture.h"
#include "Controls/PushButton.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/TableView.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/CircularProgressView.h"

using namespace activitytest;

namespace {

// The widget's rectangle in the coordinates of `root`.
QRect rectIn(const QWidget* widget, const QWidget* root) {
    return QRect(widget->mapTo(root, QPoint(0, 0)), widget->size());
}

std::vector<controls::PushButton*> visiblePrimaries(QWidget* root) {
    std::vector<controls::PushButton*> found;
    for (auto* b : root->findChildren<controls::PushButton*>())
        if (b->role() == controls::PushButton::Role::Primary && b->isVisibleTo(root)) found.push_back(b);
    return found;
}

}  // namespace

TEST_F(ActivityTest, TheMainButtonIsTheBarsOnePrimaryActionAndKeepsItsPlaceInEveryState) {
    const auto image = source("a.jpg", 800, 600);
    ActivityVC& s = openScreen();
    QWidget* root = s.view();
    const QRect ready = rectIn(s.btnDoneOrCancel, root);
    ASSERT_GT(ready.width(), 0);

    struct Step {
        const char* state;
        std::function<void()> enter;
        const char* title;
    };
    const std::vector<Step> steps = {
        {"ready", [&] { s.resetForNewJob(); }, "CANCEL"},
        {"preview on", [&] { s.showPreviewPanel(); }, "CANCEL"},
        {"preview skipped", [&] { s.onSkipPreviewInProcess(); }, "CANCEL"},
        {"done", [&] { s.showDoneState({}); }, "DONE"},
        {"reset", [&] { s.resetForNewJob(); }, "CANCEL"},
        {"finished job",
         [&] {
             s.resetForNewJob();
             s.startJob(job({sizedPreset("Small", 400, 300)}, {image}));
             ASSERT_TRUE(runToEnd(s));
         },
         "DONE"},
        {"job that could not run",
         [&] {
             s.resetForNewJob();
             s.showPreviewPanel();
             s.startJob(job({sizedPreset("Small", 400, 300)}, {}));
             ASSERT_TRUE(runToEnd(s));
         },
         "DONE"},
    };
    // Many jobs in a row: the look of the button must not drift with each one.
    for (int round = 0; round < 3; ++round) {
        for (const auto& step : steps) {
            step.enter();
            drain();
            SCOPED_TRACE(std::string(step.state) + ", round " + std::to_string(round));
            EXPECT_EQ(s.btnDoneOrCancel->text().toStdString(), step.title);
            EXPECT_EQ(rectIn(s.btnDoneOrCancel, root), ready) << "the main button moved or changed size";
            const auto primaries = visiblePrimaries(root);
            ASSERT_EQ(primaries.size(), 1u) << "one primary action on the screen";
            EXPECT_EQ(primaries.front(), s.btnDoneOrCancel);
            EXPECT_EQ(s.btnDoneOrCancel->effectiveTitleColor(), cg::Color::whiteColor());
            // The ring's finished mark shows only once a job has ended, never over a new one.
            if (std::string(step.title) == "CANCEL") {
                EXPECT_FALSE(s.circularViewProgressView->subviews().front()->isVisibleTo(root));
            }
            // Nothing else sits in the bar beside the main button but Show in Folder and Share.
            for (auto* b : root->findChildren<controls::PushButton*>()) {
                if (b == s.btnDoneOrCancel || !b->isVisibleTo(root) || s.saveOrShareView->isAncestorOf(b))
                    continue;
                const QRect r = rectIn(b, root);
                EXPECT_FALSE(r.top() < ready.bottom() && r.bottom() > ready.top())
                    << b->text().toStdString() << " shares the main button's bar";
            }
        }
    }
}

TEST_F(ActivityTest, AtTheSidePanelsWidthWithThePreviewOnListRingAndButtonsStayInside) {
    pacer = std::make_shared<HoldingPacer>();
    std::vector<std::filesystem::path> images;
    std::vector<core::SourceURLInfo> records;
    for (int i = 0; i < 4; ++i) {
        images.push_back(source("p" + std::to_string(i) + ".jpg", 900, 600, i + 1));
        records.emplace_back().fillFileDetails(images.back());
    }
    // The images come from the user's list, which the screen shows as the images still to do.
    core::sharedImageList().replaceAll(records);
    ActivityVC& s = openScreen();
    s.resetForNewJob();
    auto params = job({sizedPreset("Half", 450, 300)}, images);
    params.forcePreview = true;
    s.startJob(std::move(params));
    ASSERT_TRUE(mainQueue->runUntil([&] { return pacer->isHolding(); }, std::chrono::seconds(60)));

    // The side panel of the preset list (350 wide in a window of the usual height), and a wide tab.
    for (const QSize size : {QSize(350, 680), QSize(350, 560), QSize(980, 700)}) {
        window->resize(size);
        drain();
        QWidget* root = s.view();
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const QRect inside = root->rect();
        struct Part {
            const char* name;
            QWidget* widget;
            int minWidth, minHeight;
        };
        const std::vector<Part> parts = {
            {"remaining images", s.allImageView, 150, 60},
            {"preview", s.imgLoadingView, 120, 60},
            {"ring", s.circularViewProgressView, 150, 150},
            {"Skip Preview", s.btnSkipPreview, s.btnSkipPreview->sizeHint().width(), 20},
            {"main button", s.btnDoneOrCancel, s.btnDoneOrCancel->sizeHint().width(), 20},
            {"preset counter", s.presetCountView, s.presetCountView->sizeHint().width(), 20},
            {"image counter", s.imagesCountView, s.imagesCountView->sizeHint().width(), 20},
            {"header", s.lblHeader, 100, 10},
        };
        for (const auto& part : parts) {
            EXPECT_TRUE(part.widget->isVisibleTo(root)) << part.name << " hidden";
            const QRect r = rectIn(part.widget, root);
            EXPECT_TRUE(inside.contains(r)) << part.name << " leaves the panel";
            EXPECT_GE(r.width(), part.minWidth) << part.name << " is cut";
            EXPECT_GE(r.height(), part.minHeight) << part.name << " is squashed";
        }
        const QRect preview = rectIn(s.imgLoadingView, root), ring = rectIn(s.circularViewProgressView, root);
        EXPECT_FALSE(preview.intersects(ring)) << "the ring covers the preview";
        EXPECT_FALSE(rectIn(s.allImageView, root).intersects(preview)) << "the list covers the preview";
        EXPECT_FALSE(rectIn(s.btnSkipPreview, root).intersects(ring)) << "the ring covers Skip Preview";
        // The preview keeps the shape of its designed box (300 x 190) as it scales.
        EXPECT_NEAR(double(preview.width()) / preview.height(), 300.0 / 190.0, 0.05);
    }
    pacer->release();
    ASSERT_TRUE(runToEnd(s));
}

TEST_F(ActivityTest, AJobThatCouldNotRunHidesThePreviewAndSaysWhatToDoNext) {
    const auto image = source("a.jpg", 800, 600);
    struct Case {
        const char* name;
        bool removeOutput;
        bool withImage;
        const char* advice;  // a word the next step must name
    };
    for (const Case& c :
         {Case{"no images", false, false, "drop"}, Case{"output folder gone", true, true, "folder"}}) {
        SCOPED_TRACE(c.name);
        if (c.removeOutput) std::filesystem::remove_all(out());
        ActivityVC& s = openScreen();
        s.resetForNewJob();
        s.showPreviewPanel();
        auto params =
            job({sizedPreset("Small", 400, 300)}, c.withImage ? std::vector<std::filesystem::path>{image}
                                                              : std::vector<std::filesystem::path>{});
        params.forcePreview = true;
        s.startJob(std::move(params));
        ASSERT_TRUE(runToEnd(s));
        ASSERT_FALSE(s.jobError().empty());
        QWidget* root = s.view();
        EXPECT_FALSE(s.imgLoadingView->isVisibleTo(root));
        EXPECT_FALSE(s.btnSkipPreview->isVisibleTo(root)) << "Skip Preview offered for a job that never ran";
        EXPECT_EQ(s.lblHeader->text().toStdString(), s.jobError());
        QLabel* advice = nullptr;
        for (auto* label : root->findChildren<QLabel*>())
            if (label != s.lblHeader && label->isVisibleTo(root) &&
                label->text().contains("Nothing was written"))
                advice = label;
        ASSERT_NE(advice, nullptr) << "no next step shown";
        EXPECT_TRUE(advice->text().toLower().contains(c.advice)) << advice->text().toStdString();
        EXPECT_TRUE(s.btnDoneOrCancel->isVisibleTo(root));
        EXPECT_EQ(s.btnDoneOrCancel->text(), "DONE");

        // The next job starts clean: no advice left over from the last one.
        std::filesystem::create_directories(out());
        s.resetForNewJob();
        drain();
        EXPECT_FALSE(advice->isVisibleTo(root));
        EXPECT_TRUE(s.previewView->isVisibleTo(root));
    }
}

namespace {

// The close marks a user can see on the panel.
std::vector<QRect> visibleCloseMarks(QWidget* root) {
    std::vector<QRect> found;
    for (auto* b : root->findChildren<controls::PushButton*>())
        if (b->text() == QString::fromUtf8("\u2715") && b->isVisibleTo(root))
            found.push_back(rectIn(b, root));
    return found;
}

// Lists, grids and captions that are shown with nothing in them: boxes that say nothing.
std::vector<std::string> emptyBoxesShown(QWidget* root) {
    std::vector<std::string> found;
    for (auto* grid : root->findChildren<appkit::CollectionView*>())
        if (grid->isVisibleTo(root) && grid->numberOfItems() == 0) found.push_back("an empty grid");
    for (auto* table : root->findChildren<appkit::TableView*>())
        if (table->isVisibleTo(root) && table->numberOfRows() == 0) found.push_back("an empty table");
    for (auto* caption : root->findChildren<QLabel*>("caption"))
        if (caption->isVisibleTo(root)) {
            const auto* rows = caption->parentWidget()->findChild<appkit::TableView*>();
            if (!rows || !rows->isVisibleTo(root) || rows->numberOfRows() == 0)
                found.push_back("a caption over no rows");
        }
    return found;
}

}  // namespace

TEST_F(ActivityTest, EveryPanelStateHasOneCloseMarkInTheSameCornerAndNoEmptyBox) {
    std::vector<std::filesystem::path> images;
    std::vector<core::SourceURLInfo> records;
    for (int i = 0; i < 3; ++i) {
        images.push_back(source("p" + std::to_string(i) + ".jpg", 600, 400, static_cast<unsigned>(i + 1)));
        core::SourceURLInfo record;
        record.fillFileDetails(images.back());
        records.push_back(record);
    }
    struct State {
        const char* name;
        std::function<void(ActivityVC&)> enter;
    };
    const auto running = [&](ActivityVC& s) {
        s.resetForNewJob();
        core::sharedImageList().replaceAll(records);
        s.loadProcessingList();
        s.reloadPresetTable({sizedPreset("Small", 300, 200)}, 3);
    };
    const std::vector<State> states = {
        {"ready", [](ActivityVC& s) { s.resetForNewJob(); }},
        {"running", running},
        {"running, every image taken up",
         [&](ActivityVC& s) {
             running(s);
             for (int i = 0; i < 3; ++i) s.removeFirstItem(false);
         }},
        {"running with the preview, every image taken up",
         [&](ActivityVC& s) {
             running(s);
             s.showPreviewPanel();
             for (int i = 0; i < 3; ++i) s.removeFirstItem(false);
         }},
        {"done",
         [&](ActivityVC& s) {
             s.resetForNewJob();
             s.startJob(job({sizedPreset("Small", 300, 200)}, images));
             ASSERT_TRUE(runToEnd(s));
         }},
        {"done without results",
         [](ActivityVC& s) {
             s.resetForNewJob();
             s.showDoneState({});
         }},
        {"could not run",
         [&](ActivityVC& s) {
             s.resetForNewJob();
             s.startJob(job({sizedPreset("Small", 300, 200)}, {}));
             ASSERT_TRUE(runToEnd(s));
             ASSERT_FALSE(s.jobError().empty());
         }},
    };
    for (const int width : {900, 350}) {
        ActivityVC& s = openScreen();
        window->resize(width, 700);
        drain();
        QWidget* root = s.view();
        std::optional<QRect> corner;
        for (const State& state : states) {
            SCOPED_TRACE(std::string(state.name) + " at " + std::to_string(width) + " points");
            ASSERT_NO_FATAL_FAILURE(state.enter(s));
            drain();
            const auto marks = visibleCloseMarks(root);
            ASSERT_EQ(marks.size(), 1u) << "the panel needs exactly one close mark";
            EXPECT_GE(marks[0].width(), 24);
            EXPECT_GE(marks[0].height(), 24);
            EXPECT_LE(root->width() - 1 - marks[0].right(), 16) << "not in the top right corner";
            EXPECT_LE(marks[0].top(), 16) << "not in the top right corner";
            if (!corner) corner = marks[0];
            EXPECT_EQ(marks[0], *corner) << "the close mark moved";
            for (const auto& box : emptyBoxesShown(root)) ADD_FAILURE() << box;
        }
    }
}
