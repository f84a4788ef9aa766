#pragma once
// The main window's menu bar, built in code as the main interface would carry it: the application
// menu (About, Quit), File (Add Images, the presets menu, Cancel Activity), Edit (the image-list
// commands) and Help (the web links). Titles carry the name placeholder that the delegate's
// retitling replaces. The delegate's menu outlets point at the items made here. Main thread only.

class AppDelegate;
class QMenuBar;

namespace appkit {
class Window;
}  // namespace appkit

// Makes the menu bar, puts it at the top of `window` and connects it to `delegate`.
QMenuBar* installMainMenu(AppDelegate& delegate, appkit::Window& window);
