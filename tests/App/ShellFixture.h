#pragma once
// Starts the application shell on a settings file of the test's own, as a fresh process would: a
// new settings object reads the file, a new application delegate and main window are made. Runs on
// the offscreen platform with the manual main queue.

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>

#include "App/Application.h"
#include "App/TabBarVC.h"
#include "App/WelcomePageCtrl.h"
#include "App/switchVC.h"
#include "Controls/PushButton.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"
#include "Support/WorkerHold.h"

namespace testsupport {

class ShellTest : public UiTest {
  protected:
    void TearDown() override {
        workerHold.reset();
        quit();
        UiTest::TearDown();
    }

    std::filesystem::path settingsFile() const { return dir / "settings.json"; }

    // The settings as the next start would read them from disk.
    std::unique_ptr<foundation::UserDefaults> storedSettings() const {
        return std::make_unique<foundation::UserDefaults>(settingsFile());
    }
    // Writes settings to the file before a start.
    template <class Fill>
    void prepareSettings(Fill fill) {
        auto settings = storedSettings();
        fill(*settings);
        ASSERT_TRUE(settings->synchronize());
    }

    void start() {
        quit();
        defaults = storedSettings();
        app = std::make_unique<Application>(*defaults);
        app->finishLaunching();
        drain();
    }
    // A first start, with the welcome pages closed by their Done button as a new user does.
    void startPastWelcome() {
        start();
        ASSERT_NE(welcome(), nullptr);
        QTest::mouseClick(welcome()->btnDone, Qt::LeftButton);
        drain();
        mainQueue->advance(0.5);
        drain();
    }
    // Ends the running shell the way quitting does: the termination step, then everything goes.
    void quit() {
        if (!app) return;
        app->delegate().applicationWillTerminate();
        app.reset();
        drain();
        defaults.reset();
    }

    appkit::Window& window() { return *app->mainWindow(); }
    switchVC& root() {
        return *dynamic_cast<switchVC*>(app->mainWindowController()->contentViewController());
    }
    WelcomePageCtrl* welcome() { return root().firstChild<WelcomePageCtrl>(); }
    TabBarVC* tabBar() { return root().firstChild<TabBarVC>(); }
    // The questions showing on the main window.
    std::vector<QMessageBox*> questions() {
        std::vector<QMessageBox*> shown;
        for (auto* box : window().findChildren<QMessageBox*>())
            if (box->isVisible()) shown.push_back(box);
        return shown;
    }
    // Clicks the button of that title on the one question showing.
    void answer(const QString& title) {
        const auto shown = questions();
        ASSERT_EQ(shown.size(), 1u);
        QAbstractButton* button = nullptr;
        for (QAbstractButton* b : shown.front()->buttons())
            if (b->text() == title) button = b;
        ASSERT_NE(button, nullptr) << title.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
        drain();
    }

    TempDir dir;
    // Set by a test that acts on a running job; let go before the shell is torn down.
    std::optional<WorkerHold> workerHold;
    std::unique_ptr<foundation::UserDefaults> defaults;
    std::unique_ptr<Application> app;
};

}  // namespace testsupport
