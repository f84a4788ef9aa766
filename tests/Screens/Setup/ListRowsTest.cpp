// The lists of the screens draw their rows with the drawn row view: a selected row shows its own
// rounded fill in the accent colour, inset from the edges, in the light and the dark look, and the
// table paints no square fill of its own under it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <functional>

#include "Controls/SystemAppearance.h"
#include "Controls/TableRowView.h"
#include "Core/Records/DefaultPresets.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/ImageListScenes.h"
#include "Screens/Activity/ImageListTestHosts.h"
#include "Screens/Activity/SizeListforResultVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/SizeListVC.h"
#include "Support/SceneStyle.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

const QColor kAccent(230, 40, 150);

bool isAccent(QRgb pixel) {
    return std::abs(qRed(pixel) - kAccent.red()) < 8 && std::abs(qGreen(pixel) - kAccent.green()) < 8 &&
           std::abs(qBlue(pixel) - kAccent.blue()) < 8;
}

// Pixels in the accent colour within columns [left, right) of the image.
int accentPixels(const QImage& image, int left, int right) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(0, left); x < std::min(image.width(), right); ++x)
            count += isAccent(image.pixel(x, y)) ? 1 : 0;
    return count;
}

class ListRowsTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        savedPalette = QApplication::palette();
        savedStyle = QApplication::style()->name();
        core::sharedImageList().removeAll();
        core::sharedPresetList().replaceAll(core::defaultPresets());
        screens::registerImageListScenes(appkit::Storyboard::main());
        controls::SystemAppearance::instance().overrideAccentColor(appkit::fromQColor(kAccent));
    }
    void TearDown() override {
        controls::SystemAppearance::instance().overrideAccentColor(std::nullopt);
        controls::SystemAppearance::instance().overrideDesktopIsDark(std::nullopt);
        core::sharedImageList().removeAll();
        UiTest::TearDown();
        QApplication::setStyle(QStyleFactory::create(savedStyle));
        QApplication::setPalette(savedPalette);
    }

    QPalette savedPalette;
    QString savedStyle;
    testsupport::TempDir dir;
};

// One screen's list, built and shown; `table` is its table once `build` has run.
struct ListCase {
    const char* name;
    int row;  // a selectable row in view
    std::function<appkit::TableView*(std::vector<std::shared_ptr<appkit::ViewController>>&)> build;
};

TEST_F(ListRowsTest, SelectedRowsOfEveryListShowTheRowsOwnFillInLightAndDark) {
    foundation::UserDefaults settings(dir / "settings.json");
    const auto show = [](appkit::ViewController& vc) {
        vc.view()->resize(420, 300);
        vc.view()->show();
    };
    const std::vector<ListCase> cases = {
        {"results", 1,
         [&](auto& keep) {
             auto vc = std::make_shared<SizeListforResultVC>();
             keep.push_back(vc);
             core::ResultGroupInfo group;
             group.presetName = "web";
             group.countDone = 2;
             group.countTotal = 3;
             vc->mArrPresetResult = {group, group, group};
             show(*vc);
             vc->reloadTable();
             return vc->tblView;
         }},
        {"image table", 2,
         [&](auto& keep) {
             auto tabs = std::make_shared<imagelisttest::TestTabs>();
             auto pane = std::make_shared<imagelisttest::TestPane>(screens::ImageListRole::Rename);
             auto list = std::make_shared<screens::CollectionVC>();
             keep.insert(keep.end(), {tabs, pane, list});
             imagelisttest::embedList(*tabs, pane, list);
             core::sharedImageList().replaceAll({imagelisttest::fakeRecord("/photos/a.jpg"),
                                                 imagelisttest::fakeRecord("/photos/b.jpg"),
                                                 imagelisttest::fakeRecord("/photos/c.jpg")});
             list->tableView->reloadData();
             return list->tableView.data();
         }},
        {"sizes", 0,
         [&](auto& keep) {
             auto vc = std::make_shared<SizeListVC>();
             keep.push_back(vc);
             vc->mArrPresetsSelected = {*core::sharedPresetList().at(1), *core::sharedPresetList().at(2)};
             show(*vc);
             vc->tblView->reloadData();
             return vc->tblView.data();
         }},
        {"size picker", 5,
         [&](auto& keep) {
             auto vc = std::make_shared<DefaultPresetsPickerVC>(settings);
             keep.push_back(vc);
             show(*vc);
             vc->tableView->reloadData();
             return vc->tableView.data();
         }},
    };

    for (const bool dark : {false, true}) {
        testsupport::applySceneStyle(*qobject_cast<QApplication*>(QCoreApplication::instance()), dark);
        controls::SystemAppearance::instance().overrideDesktopIsDark(dark);
        for (const ListCase& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (dark ? " dark" : " light"));
            std::vector<std::shared_ptr<appkit::ViewController>> keep;
            appkit::TableView* table = c.build(keep);
            drain();
            ASSERT_NE(table, nullptr);
            ASSERT_GT(table->numberOfRows(), c.row);
            for (int row = 0; row < table->numberOfRows(); ++row) {
                QWidget* rowView = table->rowViewAtRow(row);
                if (!rowView) continue;
                EXPECT_NE(qobject_cast<controls::TableRowView*>(rowView), nullptr) << "row " << row;
                ASSERT_NE(table->viewAtRow(row), nullptr);
                EXPECT_EQ(table->viewAtRow(row)->parentWidget(), rowView) << "the cell sits in its row";
                EXPECT_EQ(table->rowForView(table->viewAtRow(row)), row);
            }

            const auto grabRow = [&](int row) {
                table->scrollRowToVisible(row);
                drain();
                const int top = table->verticalScrollBar()->value();
                return table->viewport()->grab(table->rectOfRow(row).translated(0, -top)).toImage();
            };
            const int other = c.row == 0 ? 1 : 0;
            const QImage before = grabRow(c.row), otherBefore = grabRow(other);
            table->selectRowIndexes({c.row}, false);
            drain();
            ASSERT_EQ(table->selectedRow(), c.row);
            const QImage selected = grabRow(c.row);
            ASSERT_NE(qobject_cast<controls::TableRowView*>(table->rowViewAtRow(c.row)), nullptr);
            const int width = selected.width();
            EXPECT_GT(accentPixels(selected, 10, width - 15), accentPixels(before, 10, width - 15) + 60)
                << "the selected row shows its fill";
            EXPECT_EQ(accentPixels(selected, 0, 8), accentPixels(before, 0, 8))
                << "the fill is inset, nothing square under it";
            const QColor edge = selected.pixelColor(3, selected.height() / 2);
            EXPECT_NE(edge, QApplication::palette().color(QPalette::Highlight))
                << "the table paints no selection of its own under a drawn row";
            EXPECT_EQ(grabRow(other), otherBefore) << "an unselected row stays as it was";
        }
    }
}

}  // namespace
