#include <gtest/gtest.h>

#include <QMimeData>
#include <memory>

#include "Core/Job/OutputFolder.h"
#include "Platform/AppKit/FileDrop.h"
#include "Platform/Graphics/SystemColors.h"
#include "PresetListFixture.h"
#include "Screens/Setup/CustomTableView.h"
#include "Support/UiEvents.h"

using namespace setuptest;

namespace {

bool isImage(const std::filesystem::path& p) {
    const auto ext = p.extension().string();
    return ext == ".jpg" || ext == ".jpeg" || ext == ".png";
}

}  // namespace

TEST_F(PresetListTest, DroppingPhotosAndAFolderOnAPresetRunsItOnceAskingForTheFolderOnce) {
    std::vector<std::string> dropped = {photo("a.jpg", 1).string(), photo("b.jpg", 2).string(),
                                        photo("c.jpg", 3).string()};
    photo("Trip/d.jpg", 4);
    dropped.push_back((dir / "in" / "Trip").string());
    const auto out = dir / "out";
    std::filesystem::create_directories(out);

    const int sd = rowOf("SD");
    ASSERT_GE(sd, 0);
    PresetCell* cell = cellAt(sd);
    ASSERT_NE(cell, nullptr);
    ASSERT_FALSE(screen->isBusy());

    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    const auto first = testsupport::dropFiles(cell->presetView, dropped);
    EXPECT_TRUE(first.enterAccepted);
    EXPECT_TRUE(first.dropAccepted);
    EXPECT_EQ(core::resolveOutputFolder(*defaults), out);
    EXPECT_EQ(listedCount(sd), 1);
    EXPECT_EQ(savedCount("SD"), 1);

    // While the first job is being started, the cell refuses another drop and nothing is counted.
    EXPECT_TRUE(screen->isBusy());
    const auto second = testsupport::dropFiles(cellAt(sd)->presetView, {dropped[0]});
    EXPECT_FALSE(second.enterAccepted);
    EXPECT_FALSE(second.dropAccepted);
    EXPECT_EQ(listedCount(sd), 1);

    ASSERT_TRUE(runToEnd());
    ActivityVC* activity = screen->activityVC_Embedded;
    ASSERT_NE(activity, nullptr);
    EXPECT_EQ(activity->btnDoneOrCancel->text(), "DONE");
    EXPECT_EQ(activity->jobError(), "");
    EXPECT_EQ(screen->cnstActivityWidth->constant(), 350);

    // One new job folder holding the four outputs, sized for the preset.
    std::vector<std::filesystem::path> jobs;
    for (const auto& entry : std::filesystem::directory_iterator(out)) jobs.push_back(entry.path());
    ASSERT_EQ(jobs.size(), 1u);
    std::vector<std::filesystem::path> outputs;
    for (const auto& f : filesUnder(jobs[0]))
        if (isImage(f)) outputs.push_back(f);
    ASSERT_EQ(outputs.size(), 4u);
    for (const auto& f : outputs) {
        const auto [w, h] = testsupport::imageFileSize(f);
        EXPECT_LE(w, 720) << f;
        EXPECT_LE(h, 480) << f;
    }
    // The sources are untouched and nothing was written beside them.
    EXPECT_EQ(filesUnder(dir / "in").size(), 4u);

    // Once the panel closes, the next drop reuses the folder: the queued answer stays unused.
    screen->hideActivityPanel();
    EXPECT_FALSE(screen->isBusy());
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    const auto again = testsupport::dropFiles(cellAt(sd)->presetView, {dropped[0]});
    EXPECT_TRUE(again.dropAccepted);
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer().has_value());
    EXPECT_EQ(listedCount(sd), 2);
    EXPECT_EQ(savedCount("SD"), 2);
    ASSERT_TRUE(runToEnd());
}

TEST_F(PresetListTest, AFolderThatIsGoneIsAskedForAgainAndACancelledPanelStartsNothing) {
    const auto gone = dir / "gone";
    std::filesystem::create_directories(gone);
    ASSERT_TRUE(core::storeOutputFolder(*defaults, gone));
    std::filesystem::remove(gone);
    const auto a = photo("a.jpg", 1).string();
    const int sd = rowOf("SD");

    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    const auto cancelled = testsupport::dropFiles(cellAt(sd)->presetView, {a});
    EXPECT_FALSE(cancelled.dropAccepted);
    EXPECT_FALSE(appkit::ModalScript::takeOpenPanelAnswer().has_value());  // the panel was asked
    EXPECT_EQ(listedCount(sd), 0);
    EXPECT_FALSE(screen->isBusy());

    const auto fresh = dir / "fresh";
    std::filesystem::create_directories(fresh);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {fresh.string()}});
    EXPECT_TRUE(testsupport::dropFiles(cellAt(sd)->presetView, {a}).dropAccepted);
    EXPECT_EQ(core::resolveOutputFolder(*defaults), fresh);
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(filesUnder(fresh).size(), 1u);
}

namespace {

struct RecordingTableDelegate : CustomTableViewDelegate {
    void tableDidReceiveFiles(const std::vector<std::string>& paths) override { received.push_back(paths); }
    bool tableAcceptsDrop() const override { return accepts; }
    bool accepts = false;
    std::vector<std::vector<std::string>> received;
};

}  // namespace

TEST_F(PresetListTest, AFileTableTakesDropsForItsDelegateAndItsRowsRunAPresetWhenDroppedOnACell) {
    CustomTableView table;
    table.resize(200, 200);
    table.show();
    const std::vector<std::string> files = {photo("t1.jpg", 1).string(), photo("t2.jpg", 2).string()};

    // Without a delegate, or one that declines, a drag shows no border and a drop changes nothing.
    EXPECT_FALSE(testsupport::dropFiles(&table, files).enterAccepted);
    auto delegate = std::make_shared<RecordingTableDelegate>();
    table.dragDelegate = delegate;
    EXPECT_FALSE(testsupport::dropFiles(&table, files).enterAccepted);
    EXPECT_EQ(table.borderWidth(), 0);

    delegate->accepts = true;
    QMimeData outside;
    outside.setUrls({QUrl::fromLocalFile(QString::fromStdString(files[0]))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &outside, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&table, &enter);
    EXPECT_EQ(table.borderWidth(), 4.0) << "an accepted drag is framed in blue";
    EXPECT_EQ(table.borderColor(), cg::system::blue());
    EXPECT_TRUE(testsupport::dropFiles(&table, files).dropAccepted);
    EXPECT_EQ(delegate->received, (std::vector<std::vector<std::string>>{files}));
    EXPECT_EQ(table.borderWidth(), 0) << "the frame goes when the drag ends";

    // The table's own rows, dragged back onto it, are not taken again.
    std::unique_ptr<QMimeData> own(appkit::makeFileDragData(files, CustomTableView::dragKind));
    testsupport::dropData(&table, *own);
    EXPECT_EQ(delegate->received.size(), 1u);

    // Dropped on a preset cell, the table's rows run that preset; another kind of drag from this
    // application does not.
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    ASSERT_TRUE(core::storeOutputFolder(*defaults, out));
    const int sd = rowOf("SD");
    std::unique_ptr<QMimeData> other(appkit::makeFileDragData(files, "something-else"));
    EXPECT_FALSE(testsupport::dropData(cellAt(sd)->presetView, *other).dropAccepted);
    EXPECT_TRUE(testsupport::dropData(cellAt(sd)->presetView, *own).dropAccepted);
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(filesUnder(out).size(), 2u);
    EXPECT_EQ(savedCount("SD"), 1);
}
