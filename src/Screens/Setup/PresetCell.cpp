#include "Screens/Setup/PresetCell.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "Controls/TextField.h"

#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/PresetBadge.h"
#include "Screens/Setup/PresetCardLook.h"
#include "Screens/Setup/PresetView.h"

namespace {

QLabel* badge(QWidget* parent, int tag) {
    auto* label = new PresetBadge(parent);
    appkit::View::setTagOf(label, tag);
    return label;
}

// The auto-enhance mark: a four-pointed sparkle, drawn sharp at the screen's pixel ratio.
QPixmap sparkle(const QColor& colour, int side, qreal ratio) {
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF c(side / 2.0, side / 2.0);
    const double r = side / 2.0, waist = side * 0.12;
    QPainterPath star;
    star.moveTo(c.x(), c.y() - r);
    star.quadTo(c.x() + waist, c.y() - waist, c.x() + r, c.y());
    star.quadTo(c.x() + waist, c.y() + waist, c.x(), c.y() + r);
    star.quadTo(c.x() - waist, c.y() + waist, c.x() - r, c.y());
    star.quadTo(c.x() - waist, c.y() - waist, c.x(), c.y() - r);
    painter.fillPath(star, colour);
    return pixmap;
}

}  // namespace

PresetCell::PresetCell() {
    setIdentifier(ids::presetCell);
}

void PresetCell::loadView() {
    auto* root = new appkit::View;
    box = new controls::Box(root);
    auto* rootLayout = new QVBoxLayout(root);
    // The margin is the gutter between cards.
    rootLayout->setContentsMargins(6, 6, 6, 6);
    rootLayout->addWidget(box);
    applyCardEdge(*box);

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
    enhanceMark = new QLabel(sizeBox);
    enhanceMark->setPixmap(sparkle(QColor(255, 149, 0), 18, enhanceMark->devicePixelRatioF()));
    enhanceMark->setAccessibleName(QStringLiteral("Auto Enhance"));
    enhanceMark->setToolTip(QStringLiteral("Auto Enhance"));
    appkit::View::setTagOf(enhanceMark, 7);
    enhanceMark->setGeometry(21, 21, 18, 18);
    top->addWidget(sizeArea, 0, Qt::AlignTop);
    top->addStretch(1);
    optionButton =
        new controls::PushButton(QStringLiteral("…"), controls::PushButton::Role::Icon, presetView);
    optionButton->setAccessibleName(QStringLiteral("Preset Options"));
    appkit::View::setTagOf(optionButton, 6);
    // A target of 28 x 24, the size of a toolbar's small buttons.
    optionButton->setFixedSize(28, 24);
    top->addWidget(optionButton, 0, Qt::AlignTop);
    layout->addLayout(top);

    nameField = new controls::TextField(presetView);
    appkit::View::setTagOf(nameField, 2);
    nameField->setReadOnly(true);
    nameField->setFrame(false);
    QFont nameFont = nameField->font();
    nameFont.setPixelSize(14);
    nameFont.setWeight(QFont::DemiBold);
    nameField->setFont(nameFont);
    QPalette namePalette = nameField->palette();
    namePalette.setColor(QPalette::Base, Qt::transparent);
    nameField->setPalette(namePalette);
    // The field draws its text a fixed margin in; the size text below starts at the same place.
    nameField->setTextMargins(0, 0, 0, 0);
    layout->addWidget(nameField);
    sizeText = new QLabel(presetView);
    sizeText->setTextFormat(Qt::PlainText);
    sizeText->setIndent(2);
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
