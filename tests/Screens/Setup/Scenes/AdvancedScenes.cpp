// advanced_scenes OUTDIR STYLE: the Advanced tab as a user goes through it, in the light or dark
// style: twelve photos added with their effect thumbnails, three sizes chosen and the Sepia effect,
// the job running, and the job done. Writes OUTDIR/advanced-<step>-STYLE.png; exits non-zero when a
// step fails.

#include <QApplication>
#include <QElapsedTimer>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "App/AppDefaults.h"
#include "App/Appearance.h"
#include "App/Application.h"
#include "App/TabBarVC.h"
#include "Controls/ScrollBarStyle.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageWell.h"
#include "Screens/Setup/AdvancedHolderVC.h"
#include "Screens/Setup/AdvancedMasterVC.h"
#include "Screens/Setup/AdvancedTVC.h"
#include "Screens/Setup/EffectCollectionVC.h"
#include "Screens/Setup/SizeListVC.h"
#include "Support/AppScene.h"

namespace {

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
    const std::filesystem::path root = work.path().toStdString();
    foundation::UserDefaults settings(root / "settings.json");
    settings.set(appkeys::isShowFirst, foundation::PlistValue(1));
    std::vector<std::string> photos;
    for (int i = 1; i <= 12; ++i) {
        const auto path = root / "in" / ("photo" + std::to_string(i) + ".jpg");
        testsupport::writeTestImage(path, 1600, 1067, static_cast<unsigned>(i));
        photos.push_back(path.string());
    }
    std::filesystem::create_directories(root / "out");
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1200, 760);
        QTest::qWait(300);
        auto shot = [&](const char* step) {
            QTest::qWait(200);
            const QString file = out + QStringLiteral("/advanced-%1-%2.png").arg(step, style);
            if (window.grab().save(file)) return true;
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        };
        TabBarVC* tabs = shell.delegate().tabBarVC;
        if (!tabs) return fail("no tab switcher");
        shell.mainWindowController()->segBtn->setSelectedSegment(1);
        tabs->selectTab(1);
        QTest::qWait(300);
        auto* advanced = qobject_cast<AdvancedMasterVC*>(tabs->advancedMasterVC.data());
        if (!advanced) return fail("the Advanced tab did not show");
        advanced->addImages(photos);
        AdvancedTVC* pane = advanced->holder()->optionsPane();
        EffectCollectionVC* effects = pane->effectCollectionVC();
        if (!testsupport::waitFor(
                [&] { return core::sharedImageList().count() == 12 && effects->pendingThumbnails() == 0; },
                30000))
            return fail("the photos or their effect thumbnails did not arrive");
        ok = shot("1-images") && ok;

        const auto presets = core::sharedPresetList().snapshot();
        pane->sizeListVC()->addOrSelectSize({presets.at(1), presets.at(2), presets.at(6)});
        effects->selectEffect(14);  // Sepia
        ok = shot("2-options") && ok;

        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(root / "out").string()}});
        pane->chooseSavingLocationAndProceed();
        QTest::qWait(700);
        ok = shot("3-job") && ok;
        ActivityVC* activity = advanced->holder()->activityVC();
        if (!activity) return fail("no activity screen");
        // The preview's pauses would make 36 images take minutes: the rest runs as a user skipping it.
        activity->onSkipPreviewInProcess();
        if (!testsupport::waitFor([&] { return activity->btnDoneOrCancel->text() == "DONE"; }, 120000))
            return fail("the job did not finish");
        // The results as a user sees them a moment later: every tile in view with its picture.
        if (!testsupport::waitFor(
                [&] {
                    auto* grid = activity->doneResultsGrid();
                    if (!grid) return false;
                    for (int index : grid->collImages->visibleIndexes()) {
                        auto* item = grid->collImages->itemAtIndex(index);
                        auto* well =
                            item ? qobject_cast<screens::ImageWell*>(item->view()->subviews()[1]) : nullptr;
                        if (!well || well->isLoading()) return false;
                    }
                    return true;
                },
                30000))
            return fail("the results' pictures did not arrive");
        ok = shot("4-done") && ok;
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
