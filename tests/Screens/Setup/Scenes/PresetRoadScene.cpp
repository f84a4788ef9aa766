// presetlist_scenes OUTDIR STYLE: the road of one job in the real application window. With empty
// settings it passes the welcome pages, drops two generated photos on the "SD" preset (as a file
// manager's text/uri-list drag would), answers the output-folder question, takes the job while it
// runs, waits for its end and checks that a job folder with both outputs appeared. Writes
// OUTDIR/presetlist-<step>-STYLE.png for each step; exits non-zero when a step fails.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "App/Appearance.h"
#include "App/Application.h"
#include "App/TabBarVC.h"
#include "App/WelcomePageCtrl.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Controls/PushButton.h"
#include "Controls/ScrollBarStyle.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "Support/UiEvents.h"

namespace {

bool save(QWidget& window, const QString& file) {
    QTest::qWait(100);
    if (window.grab().save(file)) return true;
    std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
    return false;
}

int fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR light|dark\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString style = QString::fromLocal8Bit(argv[2]);
    auto shot = [&](appkit::Window& w, const char* step) {
        return save(w, out + QStringLiteral("/presetlist-%1-%2.png").arg(step, style));
    };
    controls::installScrollBarStyle();
    QApplication::setPalette(paletteFor(style == "dark" ? Appearance::VibrantDark : Appearance::Aqua));
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    appkit::AnimationClock::setDurationScale(0);

    QTemporaryDir work;
    const std::filesystem::path root = work.path().toStdString();
    foundation::UserDefaults settings(root / "settings.json");
    // Large enough photos that the job is still running when it is taken.
    for (int i = 1; i <= 2; ++i)
        testsupport::writeTestImage(root / "in" / ("photo" + std::to_string(i) + ".jpg"), 6000, 4500, i);
    std::filesystem::create_directories(root / "out");
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1280, 760);
        auto* content = shell.mainWindowController()->contentViewController();
        auto* pages = content ? content->firstChild<WelcomePageCtrl>() : nullptr;
        if (!pages) return fail("no welcome pages on a first run");
        ok = shot(window, "1-welcome") && ok;
        pages->onDone();
        QTest::qWait(600);
        auto* tabs = content->firstChild<TabBarVC>();
        auto* screen = tabs ? tabs->firstChild<PresetListForIOS>() : nullptr;
        if (!screen) return fail("the first tab shows no preset list");
        ok = shot(window, "2-presets") && ok;

        auto* cell = dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(6));
        if (!cell || cell->nameField->text() != "SD") return fail("no SD cell");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(root / "out").string()}});
        const auto drop = testsupport::dropFiles(
            cell->presetView, {(root / "in" / "photo1.jpg").string(), (root / "in" / "photo2.jpg").string()});
        if (!drop.dropAccepted) return fail("the drop on SD was refused");
        QElapsedTimer timer;
        timer.start();
        // The spinner over the grid while the photos are collected: taken the moment it shows, before
        // the collection's end is let in.
        while (screen->loadingIndicatorView->isHidden() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (screen->loadingIndicatorView->isHidden()) return fail("the spinner was not seen");
        ok = window.grab().save(out + QStringLiteral("/presetlist-3-collecting-%1.png").arg(style)) && ok;
        ActivityVC* activity = screen->activityVC_Embedded;
        // The running job, as soon as it shows which preset it works on.
        while (activity &&
               (!activity->isActivityRunning() || activity->lblHeader->text().isEmpty() ||
                activity->lblHeader->text() == "Completed") &&
               timer.elapsed() < 60000)
            QTest::qWait(2);
        if (!activity || !activity->isActivityRunning()) return fail("the job was not seen running");
        // Taken at once: the job is quick.
        ok = window.grab().save(out + QStringLiteral("/presetlist-3-job-%1.png").arg(style)) && ok;
        timer.restart();
        while (activity &&
               (!screen->loadingIndicatorView->isHidden() || activity->isActivityRunning() ||
                activity->btnDoneOrCancel->text() != "DONE") &&
               timer.elapsed() < 120000)
            QTest::qWait(100);
        if (!activity || activity->btnDoneOrCancel->text() != "DONE") return fail("the job did not finish");
        ok = shot(window, "4-done") && ok;

        std::size_t written = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "out"))
            written += entry.is_regular_file();
        if (written != 2) return fail("the job folder does not hold the two outputs");

        // An enhancing preset shows its preview in the narrow side panel while it runs.
        activity->onCancelActivity();
        QTest::qWait(300);
        auto* enhancing = dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(2));
        if (!enhancing || enhancing->nameField->text() != "HD") return fail("no HD cell");
        const auto again = testsupport::dropFiles(
            enhancing->presetView,
            {(root / "in" / "photo1.jpg").string(), (root / "in" / "photo2.jpg").string()});
        if (!again.dropAccepted) return fail("the drop on HD was refused");
        timer.restart();
        while ((!activity->isActivityRunning() || activity->imgLoadingView->isHidden() ||
                !activity->imgLoadingView->image()) &&
               timer.elapsed() < 60000)
            QTest::qWait(20);
        if (!activity->isActivityRunning()) return fail("the enhancing job did not show its preview");
        ok = shot(window, "5-enhance-running") && ok;
        timer.restart();
        while (activity->btnDoneOrCancel->text() != "DONE" && timer.elapsed() < 120000) QTest::qWait(100);
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
