#include "App/VortaWindowController.h"

#include "App/AppDefaults.h"
#include "App/AppDelegate.h"
#include "App/PresetEditorScene.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Toolbar.h"

namespace {
constexpr char kSegmentItem[] = "segment";
constexpr char kAddItem[] = "add";
constexpr char kFlexibleSpace[] = "NSToolbarFlexibleSpaceItem";
}  // namespace

VortaWindowController::VortaWindowController() {
    frameAutosaveName = true;
}

QWidget* VortaWindowController::makeToolbarItem(const std::string& identifier) {
    if (identifier == ids::activity) {
        lblActivity = new QLabel(QString::fromStdString(appName().value_or("Vorta")));
        lblActivity->setTextFormat(Qt::PlainText);
        lblActivity->setFont(appkit::boldSystemFont(15));
        return lblActivity;
    }
    if (identifier == kSegmentItem) {
        segBtn = new appkit::SegmentedControl({"Presets", "Advanced", "Rename", "Bulk"});
        segBtn->setSelectedSegment(0);
        segBtn->setAction([this](appkit::SegmentedControl& sender) { onChangeSegment(sender); });
        return segBtn;
    }
    if (identifier == kFlexibleSpace) {
        auto* space = new QWidget;
        space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        return space;
    }
    if (identifier == kAddItem) {
        btnAdd = new controls::PushButton(QStringLiteral("+"));
        btnAdd->setToolTip(QStringLiteral("New Preset"));
        btnAdd->setAccessibleName(QStringLiteral("New Preset"));
        btnAdd->setFixedSize(34, 28);
        connect(btnAdd, &controls::PushButton::clicked, this, [this] {
            if (appkit::ViewController* content = contentViewController()) openPresetEditor(*content);
        });
        return btnAdd;
    }
    return nullptr;
}

void VortaWindowController::windowDidLoad() {
    appkit::Window* w = window();
    // The window's scene: its designed size, title and toolbar, before the options apply.
    w->setWindowTitle(QString::fromStdString(appName().value_or("Vorta")));
    w->setMinSize(cg::Size(480, 420));
    w->resize(1000, 680);
    auto* toolbar = new appkit::Toolbar;
    toolbar->setItemFactory([this](const std::string& id) { return makeToolbarItem(id); });
    for (const char* id : {ids::activity, kFlexibleSpace, kSegmentItem, kFlexibleSpace, kAddItem})
        toolbar->insertItem(id, static_cast<int>(toolbar->items().size()));
    w->setToolbar(toolbar);

    WindowController::windowDidLoad();
    const bool welcomeDone = appSettings().integer(appkeys::isShowFirst) == 1;
    if (btnAdd) btnAdd->setHidden(!welcomeDone);
    if (segBtn) segBtn->setHidden(!welcomeDone);
    w->setStandardButtonHidden(appkit::Window::StandardButton::Zoom, true);
    resizeObservation_ = foundation::NotificationCenter::defaultCenter().addObserver(
        this, onWindowResized,
        [this](const foundation::Notification& n) { onWindowResizedWithNotification(n); });
}

void VortaWindowController::onWindowResizedWithNotification(const foundation::Notification&) {
    updateActivityToolbarItem();
}

void VortaWindowController::updateActivityToolbarItem() {
    if (!isWindowLoaded()) return;
    appkit::Window* w = window();
    const double width = w->frame().size.width;
    appkit::Toolbar* toolbar = w->toolbar();
    const int index = toolbar ? toolbar->indexOfItem(ids::activity) : -1;
    if (width > activityItemMinimumWidth) {
        if (index >= 0) {
            if (QWidget* view = toolbar->items()[index].view) appkit::animator(*view).setHidden(false);
        } else if (toolbar) {
            toolbar->insertItem(ids::activity, 0);
        }
    } else if (index >= 0) {
        QPointer<QWidget> view = toolbar->items()[index].view;
        toolbar->removeItem(index);
        if (view) appkit::animator(*view).setHidden(true);
    }
}

void VortaWindowController::onChangeSegment(appkit::SegmentedControl& sender) {
    if (AppDelegate* delegate = appDelegate(); delegate && delegate->tabBarVC)
        delegate->tabBarVC->selectTab(sender.selectedSegment());
}
