// preview_scenes OUTDIR STYLE: the preview window over an image list (the Advanced tab's when the
// application has it, else the Rename tab's) and over one preset's results grid, in the real
// application window. The whole screen is captured, so the window shows over the application.
// Writes OUTDIR/preview-<step>-STYLE.png; exits non-zero when a step fails.

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "App/AppDefaults.h"
#include "App/Appearance.h"
#include "App/Application.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Controls/Button.h"
#include "Controls/PushButton.h"
#include "Controls/ScrollBarStyle.h"
#include "Controls/SystemAppearance.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Platform/QuickLook/PreviewPanel.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/SizeListforResultVC.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/BulkResizerVC.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Support/AppScene.h"

namespace {

namespace fs = std::filesystem;

int fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    const auto scene = testsupport::startAppScene(argc, argv);
    if (!scene) return 2;
    const QString out = scene->out;
    const QString style = scene->style;

    QTemporaryDir work;
    const fs::path root = work.path().toStdString();
    foundation::UserDefaults settings(root / "settings.json");
    settings.set(appkeys::isShowFirst, foundation::PlistValue(1));
    std::vector<std::string> photos;
    for (int i = 0; i < 6; ++i) {
        const auto path = root / "in" / ("DSC_00" + std::to_string(40 + i) + ".jpg");
        testsupport::writeTestImage(path, 3000, 2000, static_cast<unsigned>(i + 7));
        photos.push_back(path.string());
    }
    fs::create_directories(root / "out");
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1100, 680);
        window.move(90, 60);
        QTest::qWait(400);
        auto shot = [&](const char* step) {
            QTest::qWait(300);
            const QString file = out + QStringLiteral("/preview-%1-%2.png").arg(step, style);
            if (QGuiApplication::primaryScreen()->grabWindow(0).save(file)) return true;
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return false;
        };
        auto* tabs = shell.mainWindowController()->contentViewController()->firstChild<TabBarVC>();
        if (!tabs) return fail("no tab switcher");
        auto selectSegment = [&](int index) {
            auto buttons = shell.mainWindowController()->segBtn->findChildren<QAbstractButton*>();
            QTest::mouseClick(buttons[index], Qt::LeftButton);
            QTest::qWait(400);
        };
        auto& panel = quicklook::PreviewPanel::shared();

        // Over the image list, opened on its third image.
        const bool advanced = appkit::Storyboard::main().hasController(ids::scene::AdvancedMasterVC);
        selectSegment(advanced ? 1 : 2);
        auto* pane = dynamic_cast<screens::ImageListHost*>(tabs->children().back().get());
        if (!pane || !pane->collectionVCEmbeded) return fail("no image list");
        screens::CollectionVC& list = *pane->collectionVCEmbeded;
        list.addImages(photos);
        if (!testsupport::waitFor([] { return core::sharedImageList().count() == 6; }))
            return fail("images not added");
        QTest::qWait(1500);
        if (list.collImages->isVisible()) {
            list.collImages->setSelectionIndexes({2});
            list.showPreviewFromButton();
        } else {
            list.tableView->selectRowIndexes({2}, false);
            shell.delegate().arrImgList = core::sharedImageList().snapshot();
            shell.delegate().collectionView = nullptr;
            shell.delegate().tableView = list.tableView.data();
            shell.delegate().toggleQuickLookPreview();
        }
        if (!testsupport::waitFor([&] { return panel.isShown() && !panel.currentImage().isNull(); }))
            return fail("no preview");
        ok = shot("1-list") && ok;
        panel.orderOut();

        // Over one preset's results.
        selectSegment(3);
        auto* bulk = tabs->firstChild<BulkMasterVC>();
        if (!bulk) return fail("no Bulk tab");
        bulk->collectionVCEmbeded->addImages(photos);
        if (!testsupport::waitFor([] { return core::sharedImageList().count() == 6; }))
            return fail("images not added");
        auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
        resizer->sliderPercent->setValue(40);
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(root / "out").string()}});
        QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
        if (!testsupport::waitFor(
                [&] { return bulk->activityVC() && bulk->activityVC()->btnDoneOrCancel->text() == "DONE"; },
                60000))
            return fail("the Bulk job did not end");
        ActivityVC* activity = bulk->activityVC();
        QWidget* row = activity->childSizeListforResultVC()->tblView->viewAtRow(0);
        auto* open = row ? row->findChild<controls::PushButton*>() : nullptr;
        if (!open) return fail("no results row");
        QTest::mouseClick(open, Qt::LeftButton);
        QTest::qWait(800);
        auto* holder = dynamic_cast<ActivityHolderVC*>(activity->parent());
        auto* grid = holder && holder->children().size() == 2
                         ? dynamic_cast<CollectionDoneorSkippedVC*>(holder->children()[1].get())
                         : nullptr;
        if (!grid) return fail("no results grid");
        QTest::qWait(1200);
        QTest::mouseClick(grid->btnPreview, Qt::LeftButton);
        if (!testsupport::waitFor([&] { return panel.isShown() && !panel.currentImage().isNull(); }))
            return fail("no preview");
        panel.selectNextItem();
        if (!testsupport::waitFor([&] { return !panel.currentImage().isNull(); }))
            return fail("no second preview");
        ok = shot("2-results") && ok;
        panel.orderOut();
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
