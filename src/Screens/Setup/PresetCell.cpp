#include "Screens/Setup/PresetCell.h"

#include <QVBoxLayout>

#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/PresetView.h"

namespace {

QLabel* badge(QWidget* parent, int tag) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(
        "QLabel { font-size: 9px; font-weight: bold; padding: 1px 4px;"
        " border: 1px solid palette(mid); border-radius: 3px; }");
    appkit::View::setTagOf(label, tag);
    return label;
}

}  // namespace

PresetCell::PresetCell() {
    setIdentifier(ids::presetCell);
}

void PresetCell::loadView() {
    auto* root = new appkit::View;
    box = new controls::Box(root);
    auto* rootLayout = new QVBoxLayout(root);
    rootLayout->setContentsMargins(0, 0, 0, 0);
    rootLayout->addWidget(box);

    // The drop target fills the box; the visible parts sit on top of it.
    presetView = new PresetView(box);
    auto* layout = new QVBoxLayout(presetView);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(3);

    auto* top = new QHBoxLayout;
    auto* sizeArea = new appkit::View(presetView);
    sizeArea->setFixedSize(60, 60);
    sizeBox = new appkit::View(sizeArea);
    sizeBox->setGeometry(0, 0, 60, 60);
    widthBar = new appkit::View(sizeBox);
    heightBar = new appkit::View(sizeBox);
    widthBar->setGeometry(0, 56, 60, 4);
    heightBar->setGeometry(0, 0, 4, 60);
    enhanceMark = new QLabel(QStringLiteral("✦"), sizeBox);
    appkit::View::setTagOf(enhanceMark, 7);
    enhanceMark->move(22, 20);
    top->addWidget(sizeArea, 0, Qt::AlignTop);
    top->addStretch(1);
    optionButton =
        new controls::PushButton(QStringLiteral("…"), controls::PushButton::Role::Borderless, presetView);
    optionButton->setAccessibleName(QStringLiteral("Preset Options"));
    appkit::View::setTagOf(optionButton, 6);
    optionButton->setFixedSize(24, 20);
    top->addWidget(optionButton, 0, Qt::AlignTop);
    layout->addLayout(top);

    nameField = new QLineEdit(presetView);
    appkit::View::setTagOf(nameField, 2);
    nameField->setReadOnly(true);
    nameField->setFrame(false);
    nameField->setStyleSheet("QLineEdit { font-weight: bold; background: transparent; }");
    layout->addWidget(nameField);
    sizeText = new QLabel(presetView);
    sizeText->setTextFormat(Qt::PlainText);
    appkit::View::setTagOf(sizeText, 3);
    layout->addWidget(sizeText);

    auto* badges = new QHBoxLayout;
    formatBadge = badge(presetView, 4);
    effectBadge = badge(presetView, 5);
    saliencyBadge = badge(presetView, 12);
    originalBadge = badge(presetView, 13);
    for (QLabel* b : {formatBadge, effectBadge, saliencyBadge, originalBadge}) badges->addWidget(b);
    badges->addStretch(1);
    layout->addLayout(badges);

    tapArea = new controls::PushButton(QString(), controls::PushButton::Role::Borderless, presetView);
    appkit::View::setTagOf(tapArea, 8);
    tapArea->hide();

    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->addWidget(presetView);
    setView(root);
}
