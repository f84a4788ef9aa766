// CollectionVC: adding images. The known paths and the rename options are taken on the main queue
// when the addition starts; the files are collected on the global queue; the batch joins the list
// on the main queue, unless the list's controller has gone or the list was started afresh by then,
// once no question or other modal is up, and once the pane agrees (a job started meanwhile is
// stopped only when the user says so).

#include <QPointer>

#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageCollector.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ListAddition.h"
#include "Screens/Activity/RequestGate.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace screens {
namespace {

WaitingRequest collected(std::size_t images) {
    return {WaitingRequest::Kind::CollectedImages, [images] { return std::optional(images); }, {}};
}

}  // namespace

void CollectionVC::addImages(const std::vector<std::string>& urls, std::shared_ptr<ListAddition> addition) {
    if (urls.empty()) return;
    std::vector<std::string> knownPaths;
    for (const auto& record : core::sharedImageList().snapshot()) knownPaths.push_back(record.strFullPath);
    const core::RenameOptions options = core::sharedRenameOptions().get();
    const std::uint64_t generation = core::sharedImageList().generation();
    QPointer<CollectionVC> self(this);
    // A question asked while they are collected names them: its answer may leave this list.
    std::shared_ptr<void> coming = expectRequest(
        {WaitingRequest::Kind::CollectedImages, [] { return std::optional<std::size_t>(); }, {}});
    dispatch::Queue::global().async([self, urls, knownPaths = std::move(knownPaths), options, generation,
                                     coming = std::move(coming), addition = std::move(addition)]() mutable {
        // A big folder (or one on a mount that hangs) takes long: quitting stops the collection.
        const dispatch::RunningCollection collection;
        auto batch = collectImages(urls, knownPaths, options, collection.cancelFlag());
        const bool stopped = collection.isCancelled();
        dispatch::Queue::main().async([self, batch = std::move(batch), generation, coming = std::move(coming),
                                       addition = std::move(addition), stopped]() mutable {
            // On the main queue, where the question they were named by is written again.
            coming.reset();
            if (batch.empty()) {
                refreshStopJobQuestionText();
                // Nothing new was there to join; a stopped collection was let go.
                if (addition && !stopped) addition->joined();
                return;
            }
            if (self) self->joinWhenAllowed(batch, generation, std::move(addition));
        });
    });
}

void CollectionVC::joinWhenAllowed(const std::vector<core::SourceURLInfo>& batch, std::uint64_t generation,
                                   std::shared_ptr<ListAddition> addition) {
    // A collection that ends while a question or another modal is up waits for it, and is then
    // looked at afresh; a question whose answer would drop the images names them.
    if (requestsMustWait()) {
        whenNoModalIsUp(
            [self = QPointer<CollectionVC>(this), batch, generation, addition] {
                if (self) self->joinWhenAllowed(batch, generation, addition);
            },
            this, collected(batch.size()));
        return;
    }
    // A list emptied or replaced meanwhile (another tab) is not the list these images were chosen
    // for. A job started on this screen while they were collected is not stopped unasked.
    auto join = [self = QPointer<CollectionVC>(this), batch, generation, addition = std::move(addition)] {
        if (!self || core::sharedImageList().generation() != generation) return;
        self->finishAddingImages(batch);
        if (addition) addition->joined();
    };
    if (core::sharedImageList().generation() != generation) return;
    if (ImageListHost* pane = host()) {
        pane->confirmListChange(ListChange::Adding, std::move(join));
        // Nothing was up before: a question up now was raised by these images, and keeping the job
        // leaves them out.
        if (isStopJobQuestionUp()) holdForAnswer(collected(batch.size()));
        return;
    }
    join();
}

void CollectionVC::addImagesThroughPane(const std::vector<std::string>& urls) {
    // The options pane's small list shows the tab's images: what it takes goes to the tab's list,
    // through the tab's entry, so that the tab's buttons and effect previews follow.
    if (ImageListHost* pane = host(); pane && role_ == ImageListRole::AdvancedOptions)
        if (CollectionVC* tabList = pane->siblingImageList(); tabList && tabList != this) {
            tabList->addImagesThroughPane(urls);
            return;
        }
    if (ImageListHost* pane = host(); pane && pane->collectionVCEmbeded == this) {
        pane->addImages(urls);
        return;
    }
    addImages(urls);
}

void CollectionVC::finishAddingImages(const std::vector<core::SourceURLInfo>& batch) {
    core::sharedImageList().append(batch);
    arrItemsInt.clear();
    bAddingImagesNow = true;
    if (isViewLoaded()) {
        collImages->reloadData();
        tableView->reloadData();
        applyEmptyViewRule();
    }
    reloadSiblingList();
    appkit::postToMainAfter(this, 1.0, [this] { bAddingImagesNow = false; });
    if (role_ == ImageListRole::AdvancedOptions) updateDeleteAndAddButtons();
    notifyParentsOfImageCount(false);
    if (isViewLoaded()) reloadAllItems();
    notifyParentOfSelection();
}

void CollectionVC::reloadSiblingList() {
    ImageListHost* pane = host();
    CollectionVC* sibling = pane ? pane->siblingImageList() : nullptr;
    if (!sibling || sibling == this) return;
    // Every door adds to and removes from the tab's list; the options pane's add button follows it
    // from here, whichever door it was.
    sibling->updateDeleteAndAddButtons();
    if (!sibling->isViewLoaded()) return;
    sibling->collImages->reloadData();
    sibling->tableView->reloadData();
    sibling->applyEmptyViewRule();
}

}  // namespace screens
