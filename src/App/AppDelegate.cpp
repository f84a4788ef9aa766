#include "App/AppDelegate.h"

#include <QCoreApplication>

#include "App/ActivityHookup.h"
#include "App/AppDefaults.h"
#include "App/MessagePopover.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Workspace.h"
#include "Platform/Foundation/NotificationCenter.h"

AppDelegate::AppDelegate(foundation::UserDefaults& defaults)
    // The windows are not asked again: quitting has been decided here.
    : quitApplication([] {
          QMetaObject::invokeMethod(
              qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
      }),
      defaults_(defaults) {
    setAppDelegate(this);
    registerAppDefaults(defaults_);
    // Every run asks for its output folder again with its first job.
    defaults_.removeObject(core::kSavingLocationKey);
    resetAdvancedOptionDefaults(defaults_);
    core::loadPresetList(core::sharedPresetList(), defaults_);
}

AppDelegate::~AppDelegate() {
    if (appDelegate() == this) setAppDelegate(nullptr);
    if (quicklook::PreviewPanel::exists()) quicklook::PreviewPanel::shared().forget(this, this);
}

appkit::Window* AppDelegate::mainWindow() const {
    if (!tabBarVC || !tabBarVC->isViewLoaded()) return nullptr;
    return tabBarVC->window();
}

void AppDelegate::applicationWillFinishLaunching() {
    appkit::Window* window = mainWindow();
    if (!window) return;
    observeWindow(window);
    window->hide();
}

void AppDelegate::applicationDidFinishLaunching() {
    connectActivityHooks(*this);
    retitleMenus();
    rebuildPresetsMenu();
    setMenuOptionActions(0);
    if (appkit::Window* window = mainWindow()) makeKeyAndOrderFront(*window);
}

void AppDelegate::applicationWillTerminate() {
    savePresetsToDefaults(defaults_);
    defaults_.synchronize();
}

bool AppDelegate::applicationShouldHandleReopen(bool) {
    openMainWindow();
    return false;
}

void AppDelegate::showMessagePopover(const std::string& message, QWidget* anchor,
                                     appkit::RectEdge preferredEdge, std::shared_ptr<appkit::Popover> popover,
                                     bool dark) {
    if (!popover) return;
    messagePopover_ = popover;
    shell::showMessagePopover(message, anchor, preferredEdge, popover, dark);
}

void AppDelegate::openMainWindow() {
    if (appkit::Window* window = mainWindow()) makeKeyAndOrderFront(*window);
}

void AppDelegate::observeWindow(appkit::Window* window) {
    if (!window) return;
    connect(window, &appkit::Window::didResize, this, &AppDelegate::windowDidResize, Qt::UniqueConnection);
}

void AppDelegate::windowDidResize() {
    foundation::NotificationCenter::defaultCenter().post(onWindowResized);
}

void AppDelegate::windowWillStartLiveResize() {
    foundation::NotificationCenter::defaultCenter().post(onWindowResized);
}

bool AppDelegate::shouldPresentNotification(usernotifications::UserNotificationCenter&,
                                            const usernotifications::UserNotification&) {
    return true;
}

void AppDelegate::didActivateNotification(usernotifications::UserNotificationCenter&,
                                          const usernotifications::UserNotification& notification) {
    using Activation = usernotifications::UserNotification::ActivationType;
    if (notification.activationType != Activation::ActionButtonClicked) return;
    // The folder of the job that posted this notification, when it says so: by now a later job may
    // have stored its own folder in the settings.
    if (const auto own = notification.userInfo.find(appkeys::UDTargetFolder);
        own != notification.userInfo.end()) {
        if (const auto* path = own->second.stringIf()) {
            appkit::Workspace::shared().openFolder(*path);
            return;
        }
    }
    if (const auto folder = defaults_.string(appkeys::UDTargetFolder))
        appkit::Workspace::shared().openFolder(*folder);
}

foundation::UserDefaults& appSettings() {
    if (AppDelegate* delegate = appDelegate()) return delegate->defaults();
    return userDefaults();
}

void makeKeyAndOrderFront(appkit::Window& window) {
    window.show();
    window.raise();
    window.activateWindow();
}
