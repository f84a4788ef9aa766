// folderchooser_scenes OUTDIR STYLE: the output-folder question over the real application window.
// The folder chooser showing a folder with nothing chosen, its New Folder prompt, and the new folder
// made and chosen. Writes OUTDIR/folderchooser-<step>-STYLE.png for each step, composed as the user
// sees them (the dimmed window, the chooser and the prompt where they are); exits non-zero when a
// step fails.

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "App/AppDefaults.h"
#include "App/Application.h"
#include "Controls/TextField.h"
#include "Core/Job/OutputFolder.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/TextPrompt.h"
#include "Support/AppScene.h"
#include "Support/PanelDriving.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const auto scene = testsupport::startAppScene(argc, argv);
    if (!scene) return 2;

    QTemporaryDir work;
    const fs::path root = work.path().toStdString();
    for (const char* folder : {"2024 Holiday", "Family", "Scans", "Work"})
        fs::create_directories(root / "Pictures" / folder);
    foundation::UserDefaults settings(root / "settings.json");
    settings.set(appkeys::isShowFirst, foundation::PlistValue(1));
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1200, 720);
        QTest::qWait(400);
        auto shot = [&](const char* step) {
            QTest::qWait(200);
            const QString file =
                scene->out + QStringLiteral("/folderchooser-%1-%2.png").arg(step, scene->style);
            if (testsupport::composedScreen(window).save(file)) return true;
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return false;
        };
        const testsupport::PanelAnswer answer(
            "Choose the folder for the resized images", [&](QDialog& chooser) {
                const auto parts = testsupport::PanelParts::of(&chooser);
                if (!parts.complete() || !parts.goTo(root / "Pictures")) {
                    ok = false;
                    chooser.reject();
                    return;
                }
                ok = shot("1-shown") && ok;
                QTest::mouseClick(parts.button("New Folder"), Qt::LeftButton);
                auto* prompt = chooser.findChild<setup::TextPrompt*>();
                if (!prompt) {
                    std::fprintf(stderr, "New Folder asked no name\n");
                    ok = false;
                    chooser.reject();
                    return;
                }
                ok = shot("2-new-folder") && ok;
                QTest::keyClicks(prompt->field(), "Resized");
                QTest::keyClick(prompt->field(), Qt::Key_Return);
                ok = shot("3-made") && ok;
                QTest::mouseClick(parts.button("Choose"), Qt::LeftButton);
            });
        if (!screens::ensureOutputFolder(settings) || !answer.acted()) {
            std::fprintf(stderr, "no folder was chosen\n");
            ok = false;
        } else if (core::resolveOutputFolder(settings) != root / "Pictures" / "Resized") {
            std::fprintf(stderr, "the new folder was not the one chosen\n");
            ok = false;
        }
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
