#include "Screens/Setup/TabListPaneVC.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/Button.h"
#include "Controls/PushButton.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/SelectionLabelText.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/PaneControls.h"

TabListPaneVC::TabListPaneVC(std::string holderScene, QString title)
    : holderScene_(std::move(holderScene)), title_(std::move(title)) {}

void TabListPaneVC::loadView() {
    auto* root = new appkit::View;
    root->resize(1000, 600);
    auto* columns = new QHBoxLayout(root);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* listSide = new QWidget(root);
    auto* list = new QVBoxLayout(listSide);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(0);

    stackViewTop = new appkit::View(listSide);
    auto* bar = new QHBoxLayout(stackViewTop);
    bar->setContentsMargins(16, 10, 12, 10);
    bar->setSpacing(8);
    bar->addWidget(panes::plainLabel(title_, 15, true));
    addTopBarItems(*bar);
    btnSelectAll = new controls::PushButton("Select All", controls::PushButton::Role::Secondary);
    btnSelectAll->setAction([this](controls::ButtonBase&) { onSelectAll(); });
    bar->addWidget(btnSelectAll);
    btnDelete = new controls::PushButton("Remove", controls::PushButton::Role::Secondary);
    btnDelete->setAction([this](controls::ButtonBase&) { onClearSelected(); });
    bar->addWidget(btnDelete);
    btnPreview = panes::previewButton([this] {
        if (collectionVCEmbeded) collectionVCEmbeded->showImagePreView();
    });
    bar->addWidget(btnPreview);
    bar->addStretch(1);
    list->addWidget(stackViewTop);

    listContainer_ = new appkit::View(listSide);
    list->addWidget(listContainer_, 1);

    auto* labelBar = new appkit::View(listSide);
    auto* labelRow = new QHBoxLayout(labelBar);
    labelRow->setContentsMargins(16, 6, 16, 8);
    lblPathorCount = panes::captionLabel(QString(), labelBar);
    lblPathorCount->setTextInteractionFlags(Qt::TextSelectableByMouse);
    labelRow->addWidget(lblPathorCount, 1);
    list->addWidget(labelBar);
    columns->addWidget(listSide, 1);

    auto* separator = new QWidget(root);
    separator->setFixedWidth(1);
    separator->setAutoFillBackground(true);
    separator->setBackgroundRole(QPalette::Mid);
    columns->addWidget(separator);

    holderContainer_ = new appkit::View(root);
    holderContainer_->setFixedWidth(kOptionsWidth);
    holderContainer_->setAutoFillBackground(true);
    holderContainer_->setBackgroundRole(QPalette::AlternateBase);
    columns->addWidget(holderContainer_);
    setView(root);
}

void TabListPaneVC::viewDidLoad() {
    embedScene(ids::scene::CollectionVC, listContainer_);
    embedScene(holderScene_, holderContainer_);
    btnSelectAll->setHidden(core::sharedImageList().isEmpty());
    btnDelete->hide();
    lblPathorCount->setText("0 Selected");
    updateSelectionLabel({});
}

void TabListPaneVC::onSelectAll() {
    if (collectionVCEmbeded) collectionVCEmbeded->toggleAllChecks();
}

void TabListPaneVC::onClearSelected() {
    if (collectionVCEmbeded) collectionVCEmbeded->removeSelectedImages();
}

void TabListPaneVC::updateSelectionLabel(const std::vector<int>& selectedItems) {
    if (lblPathorCount)
        lblPathorCount->setText(QString::fromStdString(
            screens::selectionLabelText(selectedItems, core::sharedImageList().snapshot())));
}

QWidget* TabListPaneVC::selectAllButton() {
    return btnSelectAll;
}

QWidget* TabListPaneVC::deleteButton() {
    return btnDelete;
}

QWidget* TabListPaneVC::previewButton() {
    return btnPreview;
}

OptionsHolderVC* TabListPaneVC::holder() const {
    return children().size() < 2 ? nullptr : dynamic_cast<OptionsHolderVC*>(children()[1].get());
}

ActivityVC* TabListPaneVC::activityVC() const {
    const OptionsHolderVC* options = holder();
    return options ? options->activityVC() : nullptr;
}
