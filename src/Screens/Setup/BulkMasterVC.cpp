#include "Screens/Setup/BulkMasterVC.h"

#include <QHBoxLayout>
#include <QSlider>

#include "Controls/PushButton.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/CollectionVC.h"

BulkMasterVC::BulkMasterVC() : TabListPaneVC(ids::scene::BulkResizeHolderVC, "Bulk") {}

void BulkMasterVC::addTopBarItems(QHBoxLayout& bar) {
    btnAddImages = new controls::PushButton("Add Images", controls::PushButton::Role::Secondary);
    btnAddImages->setAction([this](controls::ButtonBase&) { onAddOrPrevImg(); });
    btnAddImages->hide();
    bar.addWidget(btnAddImages);
    slideFrameSize = new QSlider(Qt::Horizontal);
    slideFrameSize->setAccessibleName("Thumbnail size");
    slideFrameSize->setRange(60, 240);
    slideFrameSize->setValue(100);
    slideFrameSize->setFixedWidth(110);
    connect(slideFrameSize, &QSlider::valueChanged, this, [this] { onChangeFrameSize(); });
    bar.addWidget(slideFrameSize);
}

void BulkMasterVC::applyFrameSize() {
    if (!collectionVCEmbeded) return;
    collectionVCEmbeded->frameSize = slideFrameSize->value();
    collectionVCEmbeded->reloadAllItems();
}

QWidget* BulkMasterVC::addButtonWhileListed() {
    return btnAddImages;
}

void BulkMasterVC::onAddOrPrevImg() {
    if (collectionVCEmbeded) collectionVCEmbeded->browseForImages();
}
