#include "App/MainMenuBar.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>
#include <QPointer>

#include "App/AppDelegate.h"
#include "Platform/AppKit/Menu.h"
#include "Platform/AppKit/Window.h"

namespace {

appkit::Menu* addMenu(QMenuBar& bar, const QString& title) {
    auto* menu = new appkit::Menu(title, &bar);
    bar.addMenu(menu);
    return menu;
}

appkit::MenuItem* addTagged(appkit::Menu& menu, const QString& title, int tag, const QKeySequence& key) {
    appkit::MenuItem* item = menu.addItem(title, {}, key);
    item->setTag(tag);
    return item;
}

}  // namespace

QMenuBar* installMainMenu(AppDelegate& delegate, appkit::Window& window) {
    auto* bar = new QMenuBar(&window);
    // A menu bar of its own in the window, also where the desktop offers a global one: the
    // commands must be reachable the same way everywhere.
    bar->setNativeMenuBar(false);
    const QPointer<AppDelegate> app(&delegate);

    appkit::Menu* appMenu = addMenu(*bar, QStringLiteral("Vorta Pro_macOS"));
    appMenu->addItem(QStringLiteral("About Vorta Pro_macOS"), [app](appkit::MenuItem&) {
        if (app) app->showAbout();
    });
    appMenu->addSeparator();
    appkit::MenuItem* quit = appMenu->addItem(
        QStringLiteral("Quit Vorta Pro_macOS"),
        [app](appkit::MenuItem&) {
            if (app) app->terminate();
        },
        QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);

    appkit::Menu* file = addMenu(*bar, QStringLiteral("File"));
    delegate.menuItem_AddImages = addTagged(*file, QStringLiteral("Add Images…"), 1, QKeySequence::Open);
    delegate.menuItem_AddImageToPreset = file->addItem(QStringLiteral("Add Image to Preset"));
    auto* presets = new appkit::Menu(QStringLiteral("Add Image to Preset"), file);
    delegate.menuItem_AddImageToPreset->setMenu(presets);
    delegate.menuItem_AddImageToPreset->setEnabled(true);
    file->addSeparator();
    delegate.menuItem_CancelActivity = file->addItem(QStringLiteral("Cancel Activity"));

    appkit::Menu* edit = addMenu(*bar, QStringLiteral("Edit"));
    delegate.menuItem_RemoveImages =
        addTagged(*edit, QStringLiteral("Remove Images"), 2, QKeySequence::Delete);
    // Delete removes what has the focus (images in the image list, a size in the size list): the
    // key belongs to the focused list, the menu only names it.
    delegate.menuItem_RemoveImages->setShortcutContext(Qt::WidgetShortcut);
    delegate.menuItem_SelectAll = addTagged(*edit, QStringLiteral("Select All"), 3, QKeySequence::SelectAll);
    delegate.menuItem_DeselectAll =
        addTagged(*edit, QStringLiteral("Deselect All"), 4, QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    // Shown only while the open panel is up, where Select All belongs to the panel's file list.
    delegate.menuItem_SelectAll_Browse = edit->addItem(QStringLiteral("Select All Files"));
    delegate.menuItem_SelectAll_Browse->setVisible(false);

    appkit::Menu* help = addMenu(*bar, QStringLiteral("Help"));
    for (const AppDelegate::HelpLink& link : delegate.helpLinks) {
        appkit::MenuItem* item =
            help->addItem(QString::fromStdString(link.title), [app](appkit::MenuItem& sender) {
                if (app) app->showHelp(sender.tag());
            });
        item->setTag(link.tag);
    }
    // Without any address to open, the Help menu would only hold dead items.
    help->menuAction()->setVisible(!help->items().empty());

    window.layout()->setMenuBar(bar);
    delegate.mainMenu = bar;
    return bar;
}
