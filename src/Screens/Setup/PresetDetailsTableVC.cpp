#include "Screens/Setup/PresetDetailsTableVC.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Core/Effects/FMFilter.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/AddPresetNewVC.h"
#include "Screens/Setup/PickerSegueSender.h"
#include "Screens/Setup/PresetEditorModel.h"
#include "Screens/Setup/SetupControls.h"

PresetDetailsTableVC::PresetDetailsTableVC() {
    setIdentifier(ids::scene::PresetDetailsTableVC);
}

void PresetDetailsTableVC::loadView() {
    auto* root = new appkit::View;
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(24, 8, 24, 8);
    column->setSpacing(8);

    column->addWidget(setup::makeCaption(QStringLiteral("SIZE"), 11, true, true));
    auto* sizeRow = new appkit::View(root);
    auto* sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    lblPresetName = setup::makeCaption(QStringLiteral("No size chosen yet"), 14, false, false, sizeRow);
    btnChooseSize = new controls::PushButton(QStringLiteral("Choose Size…"),
                                             controls::PushButton::Role::Secondary, sizeRow);
    btnChooseSize->setAction([this](controls::ButtonBase&) { onChooseSize(); });
    sizeLayout->addWidget(lblPresetName, 1);
    sizeLayout->addWidget(btnChooseSize);
    column->addWidget(sizeRow);
    column->addSpacing(8);

    nameView = new QWidget(root);
    auto* nameLayout = new QVBoxLayout(nameView);
    nameLayout->setContentsMargins(0, 0, 0, 8);
    nameLayout->setSpacing(6);
    nameLayout->addWidget(setup::makeCaption(QStringLiteral("NAME"), 11, true, true));
    txtName = setup::makeTextField(QStringLiteral("Preset name"), nameView);
    nameLayout->addWidget(txtName);
    nameView->hide();
    column->addWidget(nameView);

    column->addWidget(setup::makeCaption(QStringLiteral("OUTPUT FORMAT"), 11, true, true));
    auto format = std::make_shared<FormatSelectionView>();
    addChild(format);
    column->addWidget(format->view(), 0, Qt::AlignLeft);
    column->addStretch(1);
    setView(root);
}

void PresetDetailsTableVC::viewDidLoad() {
    if (txtName) txtName->clear();
}

void PresetDetailsTableVC::onChooseSize() {
    ViewController* page = parent();
    ViewController* container = page ? page->parent() : nullptr;
    if (!container) return;
    setup::PickerSegueSender sender{this, presetDimensionProvider, {}};
    container->performSegue(ids::SlideLeft_SizePicker, sender);
}

void PresetDetailsTableVC::applyPickedSize(const std::vector<core::PresetInfo>& picked) {
    if (picked.size() != 1) return;
    presetDimensionProvider = picked.front();
    if (txtName) txtName->setText(QString::fromStdString(core::presetName(picked.front())));
    if (lblPresetName) lblPresetName->setText(QString::fromStdString(core::presetSizeText(picked.front())));
    if (auto* page = dynamic_cast<AddPresetNewVC*>(parent())) page->updatePreview(picked.front());
    if (nameView) nameView->show();
}

std::optional<core::PresetInfo> PresetDetailsTableVC::buildPresetDictionary() {
    if (!presetDimensionProvider) {
        // Right under the control that mends it.
        QWidget* anchor =
            btnChooseSize ? static_cast<QWidget*>(btnChooseSize) : static_cast<QWidget*>(view());
        if (showMessagePopover) showMessagePopover("Size not set. Please set size", anchor);
        return std::nullopt;
    }
    auto* catalogued = dynamic_cast<const core::FMFilter*>(filterForUseNow.get());
    const core::FMFilter effect = catalogued ? *catalogued : core::FMFilter::allCases().front();
    return setup::buildPresetDictionary(*presetDimensionProvider,
                                        txtName ? txtName->text().toStdString() : std::string(),
                                        strOutputFormat, intImageEffectTag, effect.displayName());
}
