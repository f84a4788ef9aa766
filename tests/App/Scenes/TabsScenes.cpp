// tabs_scenes OUTDIR STYLE: the Rename and Bulk tabs in the real application window, before and
// during a run. Writes OUTDIR/tabs-<step>-STYLE.png for each step; exits non-zero when a step fails.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
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
#include "Controls/CheckBox.h"
#include "Controls/ScrollBarStyle.h"
#include "Controls/SystemAppearance.h"
#include "Controls/TextField.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/BulkResizerVC.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/RenameMasterVC.h"
#include "Screens/Setup/RenameOptionTVC.h"
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
    const char* names[] = {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg", "Harbour.jpg", "IMG_0005.jpg"};
    for (int i = 0; i < 5; ++i) {
        const auto path = root / "in" / names[i];
        testsupport::writeTestImage(path, 4000, 3000, static_cast<unsigned>(i + 1));
        photos.push_back(path.string());
    }
    fs::create_directories(root / "out");
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1200, 720);
        QTest::qWait(400);
        auto shot = [&](const char* step) {
            QTest::qWait(150);
            const QString file = out + QStringLiteral("/tabs-%1-%2.png").arg(step, style);
            if (window.grab().save(file)) return true;
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return false;
        };
        auto* tabs = shell.mainWindowController()->contentViewController()->firstChild<TabBarVC>();
        if (!tabs) return fail("no tab switcher");
        auto selectSegment = [&](int index) {
            auto buttons = shell.mainWindowController()->segBtn->findChildren<QAbstractButton*>();
            QTest::mouseClick(buttons[index], Qt::LeftButton);
            QTest::qWait(300);
        };

        selectSegment(2);
        auto* rename = tabs->firstChild<RenameMasterVC>();
        if (!rename) return fail("the Rename segment shows no Rename tab");
        ok = shot("rename-1-empty") && ok;
        rename->collectionVCEmbeded->addImages(photos);
        if (!testsupport::waitFor([] { return core::sharedImageList().count() == 5; }))
            return fail("images not added");
        QTest::qWait(1200);
        auto* pane = dynamic_cast<RenameOptionTVC*>(rename->holder()->optionPane());
        QTest::keyClicks(pane->txtPrefix, "trip-");
        QTest::keyClicks(pane->txtFind, "IMG");
        QTest::keyClicks(pane->txtReplace, "pic");
        QTest::keyClicks(pane->txtInitialIndex, "5");
        ok = shot("rename-2-options") && ok;
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(root / "out").string()}});
        QTest::mouseClick(pane->btnDone, Qt::LeftButton);
        // Copies are quick: the picture is taken as soon as the run has started.
        if (!testsupport::waitFor(
                [&] {
                    return rename->activityVC() && rename->activityVC()->isActivityRunning() &&
                           !rename->activityVC()->lblHeader->text().isEmpty();
                },
                20000, 2))
            return fail("the rename run did not start");
        ok = window.grab().save(out + QStringLiteral("/tabs-rename-3-running-%1.png").arg(style)) && ok;
        if (!testsupport::waitFor([&] { return !rename->activityVC()->isActivityRunning(); }, 60000))
            return fail("the rename run did not end");
        QTest::qWait(500);
        ok = shot("rename-4-done") && ok;

        selectSegment(3);
        auto* bulk = tabs->firstChild<BulkMasterVC>();
        if (!bulk) return fail("the Bulk segment shows no Bulk tab");
        bulk->collectionVCEmbeded->addImages(photos);
        if (!testsupport::waitFor([] { return core::sharedImageList().count() == 5; }))
            return fail("images not added");
        QTest::qWait(1200);
        auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
        QTest::keyClicks(resizer->txtWidth, "1200");
        resizer->btnSaliency->setChecked(true);  // the job shows its preview of each image
        ok = shot("bulk-1-options") && ok;
        QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
        if (!testsupport::waitFor(
                [&] { return bulk->activityVC() && bulk->activityVC()->isActivityRunning(); }))
            return fail("the Bulk job did not start");
        QTest::qWait(2500);
        ok = shot("bulk-2-running") && ok;
        bulk->activityVC()->onSkipPreviewInProcess();
        if (!testsupport::waitFor([&] { return !bulk->activityVC()->isActivityRunning(); }, 60000))
            return fail("the Bulk job did not end");
        QTest::qWait(500);
        ok = shot("bulk-3-done") && ok;
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
