#pragma once
// The application shell: makes the application delegate and the main window, runs the launch
// steps, and runs the termination step (saving the presets) on every way out: the main window
// closing, quitting, SIGTERM or SIGINT (turned into a quit by main), and the desktop session
// ending. Main thread only.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "App/AppDelegate.h"
#include "App/VortaWindowController.h"

class QApplication;

class Application : public QObject {
    Q_OBJECT
  public:
    // Makes the delegate (which sets up the settings and loads the presets).
    explicit Application(foundation::UserDefaults& defaults);
    ~Application() override;

    // Makes the main window with its first screen, runs the launch steps and shows the window.
    void finishLaunching();

    // Files opened with the application: the window comes to the front and the files go to the
    // Advanced tab's list (Document).
    void openFiles(const std::vector<std::string>& paths);

    AppDelegate& delegate() { return *delegate_; }
    VortaWindowController* mainWindowController() { return windowController_.get(); }
    appkit::Window* mainWindow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<AppDelegate> delegate_;
    std::shared_ptr<VortaWindowController> windowController_;
};

// Runs the application on the standard settings until it quits; returns the exit code.
int runApplication(QApplication& app);
