#pragma once
// The application shell: makes the application delegate and the main window, runs the launch
// steps, and runs the termination step (saving the presets) on every way out: the main window
// closing, quitting, SIGTERM or SIGINT, and the desktop session ending. Each of the first three
// goes through the delegate's quitting, which asks (or, for a signal, decides) to stop a running
// job first; no job outlives the shell. Main thread only.

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "App/AppDelegate.h"
#include "App/VortaWindowController.h"

class InstanceChannel;
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
    // Later starts hand their files to this application through `channel`, as opened files, and hear
    // what became of them; from its ending on, they wait for it to be gone.
    void takeFilesFrom(InstanceChannel& channel);

    AppDelegate& delegate() { return *delegate_; }
    VortaWindowController* mainWindowController() { return windowController_.get(); }
    appkit::Window* mainWindow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A settings file that could be neither read nor moved aside is left alone: the user is told
    // that nothing will be saved.
    void sayWhySettingsAreNotSaved(appkit::Window& window);

    std::unique_ptr<AppDelegate> delegate_;
    std::shared_ptr<VortaWindowController> windowController_;
};

// Runs the application on the standard settings until it quits, with the event-loop main queue;
// returns the exit code. The background work has ended by then; work that does not end within the
// delegate's bound is abandoned and the process ends inside this call. `launched`, when given, runs
// once the main window is up (a test program drives the screens from there).
int runApplication(QApplication& app, const std::function<void(Application&)>& launched = {});
