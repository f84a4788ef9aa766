#include "Screens/Setup/AdvancedMasterVC.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/SelectionLabelText.h"
#include "Screens/Activity/StopJobQuestion.h"
#include "Screens/Setup/AdvancedHolderVC.h"
#include "Screens/Setup/AdvancedOptionsModel.h"
#include "Screens/Setup/AdvancedTVC.h"
#include "Screens/Setup/PaneControls.h"
#include "Screens/Setup/SetupControls.h"

namespace {
constexpr int kOptionsWidth = 400;
constexpr int kLabelMinimumWidth = 40;
constexpr int kSliderWidth = 110, kSliderMinimumWidth = 40;
}  // namespace

AdvancedMasterVC::AdvancedMasterVC() {
    setIdentifier(ids::scene::AdvancedMasterVC);
    registerActivityScenes(appkit::Storyboard::main());
}

AdvancedMasterVC::~AdvancedMasterVC() = default;

void AdvancedMasterVC::loadView() {
    auto* root = new appkit::View;
    auto* split = new QHBoxLayout(root);
    split->setContentsMargins(0, 0, 0, 0);
    split->setSpacing(0);

    auto* listSide = new QWidget(root);
    auto* listColumn = new QVBoxLayout(listSide);
    listColumn->setContentsMargins(0, 0, 0, 0);
    listColumn->setSpacing(0);
    auto* listPlace = new appkit::View(listSide);
    listColumn->addWidget(listPlace, 1);

    stackViewBottom = new QWidget(listSide);
    auto* bar = new QHBoxLayout(stackViewBottom);
    bar->setContentsMargins(12, 8, 12, 8);
    bar->setSpacing(6);
    auto* selection = new QWidget;
    auto* selectionRow = new QHBoxLayout(selection);
    selectionRow->setContentsMargins(0, 0, 0, 0);
    btnSelectAll =
        new controls::PushButton(QStringLiteral("Select All"), controls::PushButton::Role::Secondary);
    btnSelectAll->setAction([this](controls::ButtonBase&) {
        if (collectionVCEmbeded) collectionVCEmbeded->toggleAllChecks();
    });
    btnDelete = new controls::PushButton(QStringLiteral("Remove"), controls::PushButton::Role::Secondary);
    btnDelete->setAction([this](controls::ButtonBase&) {
        if (collectionVCEmbeded) collectionVCEmbeded->removeSelectedImages();
    });
    btnPreview = panes::previewButton([this] {
        if (collectionVCEmbeded) collectionVCEmbeded->showImagePreView();
    });
    selectionRow->addWidget(btnSelectAll);
    selectionRow->addWidget(btnDelete);
    selectionRow->addWidget(btnPreview);
    auto* sliderRow = new QWidget;
    auto* sliderLayout = new QHBoxLayout(sliderRow);
    sliderLayout->setContentsMargins(0, 0, 0, 0);
    slideFrameSize = new QSlider(Qt::Horizontal, sliderRow);
    slideFrameSize->setRange(60, 240);
    slideFrameSize->setValue(100);
    // The slider gives up width before the count beside it, or a button, is cut short.
    slideFrameSize->setMinimumWidth(kSliderMinimumWidth);
    sliderRow->setMaximumWidth(kSliderWidth);
    slideFrameSize->setAccessibleName(QStringLiteral("Thumbnail size"));
    connect(slideFrameSize, &QSlider::valueChanged, this, [this](int side) { applyFrameSize(side); });
    sliderLayout->addWidget(slideFrameSize);
    segColOrTbl = new appkit::SegmentedControl({QStringLiteral("Grid"), QStringLiteral("List")});
    segColOrTbl->setSelectedSegment(0);
    segColOrTbl->setAccessibleName(QStringLiteral("Show as"));
    segColOrTbl->setAction(
        [this](appkit::SegmentedControl& sender) { switchGridOrTable(sender.selectedSegment()); });
    lblPathorCount = setup::makeCaption(QStringLiteral("0 Selected"), 12, false, true);
    lblPathorCount->setMinimumWidth(kLabelMinimumWidth);
    btnAddImages =
        new controls::PushButton(QStringLiteral("Add Images…"), controls::PushButton::Role::Secondary);
    btnAddImages->setAction([this](controls::ButtonBase&) { onAddOrPrevImg(); });
    bar->addWidget(selection);
    bar->addWidget(sliderRow, 1);
    bar->addWidget(segColOrTbl);
    bar->addWidget(lblPathorCount, 1);
    bar->addWidget(btnAddImages);
    listColumn->addWidget(stackViewBottom);
    split->addWidget(listSide, 1);

    auto* separator = new QFrame(root);
    separator->setFrameShape(QFrame::VLine);
    separator->setForegroundRole(QPalette::Mid);
    split->addWidget(separator);
    auto* optionsPlace = new appkit::View(root);
    optionsPlace->setFixedWidth(kOptionsWidth);
    split->addWidget(optionsPlace);
    setView(root);

    // The list first, then the container: their order is how the screens find each other.
    embedScene(ids::scene::CollectionVC, listPlace);
    embedScene(ids::scene::AdvancedHolderVC, optionsPlace);
    for (auto* place : {listPlace, optionsPlace}) {
        const auto subviews = place->subviews();
        if (subviews.empty()) continue;
        auto* fill = new QVBoxLayout(place);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(subviews.front());
    }
}

void AdvancedMasterVC::viewDidLoad() {
    if (didLoad) didLoad();
    if (btnSelectAll) btnSelectAll->setHidden(core::sharedImageList().isEmpty());
    if (btnDelete) btnDelete->hide();
    if (lblPathorCount) lblPathorCount->setText(QStringLiteral("0 Selected"));
    updateSelectionLabel({});
    resizeObservation_ = foundation::NotificationCenter::defaultCenter().addObserver(
        this, kWindowResized, [this](const foundation::Notification&) { applyWindowWidth(); });
    applyWindowWidth();
}

AdvancedHolderVC* AdvancedMasterVC::holder() const {
    return firstChild<AdvancedHolderVC>();
}

std::vector<QWidget*> AdvancedMasterVC::bottomBarViews() const {
    std::vector<QWidget*> views;
    if (!stackViewBottom) return views;
    auto* bar = stackViewBottom->layout();
    for (int i = 0; bar && i < 3 && i < bar->count(); ++i)
        if (QWidget* w = bar->itemAt(i)->widget()) views.push_back(w);
    return views;
}

void AdvancedMasterVC::applyWindowWidth() {
    appkit::Window* w = isViewLoaded() ? window() : nullptr;
    if (!w) return;
    const double width = w->frame().size.width;
    const setup::WidthLayout layout = setup::advancedWidthLayout(width, !framewidthPrev);
    const bool grid = segColOrTbl && segColOrTbl->selectedSegment() == 0;
    const bool table = segColOrTbl && segColOrTbl->selectedSegment() == 1;
    const auto bar = bottomBarViews();
    if (bar.size() == 3) {
        bar[0]->setVisible(layout.wide);
        bar[1]->setVisible(layout.wide && grid);
        bar[2]->setVisible(layout.wide);
    }
    if (btnAddImages) btnAddImages->setVisible(layout.wide);
    if (btnDelete && !btnDelete->isHidden() && !layout.wide) btnDelete->hide();
    applyCompactLayout(layout.compact);
    if (collectionVCEmbeded && collectionVCEmbeded->headerViewForTable) {
        const auto header = collectionVCEmbeded->headerViewForTable->subviews();
        for (std::size_t i = 0; i < header.size() && i < 3; ++i) header[i]->setVisible(layout.wide && table);
    }
    framewidthPrev = width;
    if (!layout.compact && collectionVCEmbeded && collectionVCEmbeded->collImages)
        collectionVCEmbeded->collImages->reloadData();
}

void AdvancedMasterVC::applyCompactLayout(bool compact) {
    // The options pane stays the container's first child while another screen covers it, so the
    // layout applies to it at once instead of waiting for it to be alone again.
    AdvancedHolderVC* container = holder();
    AdvancedTVC* pane = container ? container->optionsPane() : nullptr;
    if (!pane) return;
    if (pane->imgCollView) pane->imgCollView->setVisible(compact);
    if (pane->cnstEffectsHeight) appkit::animator(*pane->cnstEffectsHeight).setConstant(compact ? 180 : 280);
}

void AdvancedMasterVC::applyFrameSize(double side) {
    if (!collectionVCEmbeded) return;
    collectionVCEmbeded->frameSize = side;
    collectionVCEmbeded->reloadAllItems();
}

void AdvancedMasterVC::switchGridOrTable(int segment) {
    if (screens::CollectionVC* list = collectionVCEmbeded) {
        if (list->collImages) list->collImages->setHidden(segment != 0);
        if (list->tableView) list->tableView->setHidden(segment != 1);
        if (list->headerViewForTable) list->headerViewForTable->setHidden(segment != 1);
    }
    if (slideFrameSize && slideFrameSize->parentWidget())
        slideFrameSize->parentWidget()->setHidden(segment != 0);
    if (screens::CollectionVC* list = collectionVCEmbeded) {
        list->mSetIdxSelected.clear();
        if (list->collImages) {
            list->collImages->deselectAll();
            list->collImages->reloadData();
        }
        if (list->tableView) {
            list->tableView->deselectAll();
            list->tableView->reloadData();
        }
        updateSelectionLabel({});
        // Nothing is selected any more: the preview button has nothing to show.
        list->notifyParentsOfImageCount(true);
    }
}

void AdvancedMasterVC::updateSelectionLabel(const std::vector<int>& selectedItems) {
    if (!lblPathorCount) return;
    const QString text = QString::fromStdString(
        screens::selectionLabelText(selectedItems, core::sharedImageList().snapshot()));
    lblPathorCount->setText(text);
    // A count is never cut short; a path may be, as it can be longer than any window.
    const bool path = selectedItems.size() == 1;
    lblPathorCount->setMinimumWidth(path ? kLabelMinimumWidth : lblPathorCount->sizeHint().width());
}

void AdvancedMasterVC::notifyActivityVC() {
    AdvancedHolderVC* container = holder();
    if (ActivityVC* activity = container ? container->activityVC() : nullptr)
        activity->returnToParentScreen();
}

bool AdvancedMasterVC::isActivityRunning() const {
    // Busy for as long as the activity screen is there, finished or not: its done screen takes no
    // images either, by any door, until it slides back.
    AdvancedHolderVC* container = holder();
    return container && container->activityVC();
}

void AdvancedMasterVC::refreshEffectPreviewImage() {
    AdvancedHolderVC* container = holder();
    if (AdvancedTVC* pane = container ? container->optionsPane() : nullptr) pane->refreshEffectPreviewImage();
}

screens::CollectionVC* AdvancedMasterVC::siblingImageList() {
    AdvancedHolderVC* container = holder();
    AdvancedTVC* pane = container ? container->optionsPane() : nullptr;
    return pane ? pane->collectionVC() : nullptr;
}

void AdvancedMasterVC::onAddOrPrevImg() {
    if (isActivityRunning() || !collectionVCEmbeded) return;
    collectionVCEmbeded->browseForImages();
}

void AdvancedMasterVC::confirmListChange(screens::ListChange kind, std::function<void()> change) {
    AdvancedHolderVC* container = holder();
    screens::confirmListChangeDuringJob(*this, container ? container->activityVC() : nullptr, kind,
                                        std::move(change));
}
