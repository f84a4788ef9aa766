#pragma once
// ImageListHost: what an image list (CollectionVC) needs of the screen that embeds it, and that
// screen's one entry for new images. The embedding screen implements it; the list finds it as its
// parent controller and takes its role from it. Every pane part is optional: the defaults do
// nothing (and let new images join at once). Main thread only.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Screens/Activity/ImageListRole.h"

class QWidget;

namespace screens {

class CollectionVC;
class ListAddition;

// What a change of the list does to it.
enum class ListChange { Adding, Removing };

class ImageListHost {
  public:
    virtual ~ImageListHost() = default;

    virtual ImageListRole imageListRole() const = 0;

    // The list this screen embeds; set by the list when it takes its role.
    QPointer<CollectionVC> collectionVCEmbeded;

    // The one way in for images, whatever door they come by (the open panel of a button or of the
    // menu, a drop, files opened from the file manager): they join this screen's list, unless
    // `confirmListChange` holds them back. Folders are walked; paths that are no image are left out.
    // `addition`, when given, goes with them and learns whether they joined the list.
    void addImages(const std::vector<std::string>& paths, std::shared_ptr<ListAddition> addition = {});
    // Runs `change` (adding or removing images) at once when it cannot disturb a job of this screen.
    // While a job runs that a changed list would stop, the user is asked first: `change` runs after
    // the job is stopped, and not at all when the user keeps it.
    virtual void confirmListChange(ListChange /*kind*/, std::function<void()> change) { change(); }

    // The pane's select-all and delete buttons (btnSelectAll, btnDelete), when it has them.
    virtual QWidget* selectAllButton() { return nullptr; }
    virtual QWidget* deleteButton() { return nullptr; }
    // The pane's preview button, usable while images are selected.
    virtual QWidget* previewButton() { return nullptr; }
    // An add button of the pane's bar that shows only while the list holds images (the empty list
    // offers its own).
    virtual QWidget* addButtonWhileListed() { return nullptr; }
    // The Advanced options pane's add/manage button takes the named image "add" or "manage".
    virtual void setAddManageImage(const std::string& /*name*/) {}

    // The pane's label for the selected item numbers (see selectionLabelText).
    virtual void updateSelectionLabel(const std::vector<int>& /*selectedItems*/) {}
    // The list of images changed (added or removed): a running job on this pane is cancelled first
    // and the activity screen told.
    virtual void notifyActivityVC() {}
    virtual bool isActivityRunning() const { return false; }
    // The Advanced tab's effect preview follows the first image of the list.
    virtual void refreshEffectPreviewImage() {}
    // A second list of the same images on this screen (the Advanced options pane's own), refreshed
    // together with this one.
    virtual CollectionVC* siblingImageList() { return nullptr; }
};

}  // namespace screens
