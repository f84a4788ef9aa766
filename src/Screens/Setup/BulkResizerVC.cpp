#include "Screens/Setup/BulkResizerVC.h"

#include "Controls/CheckBox.h"
#include "Screens/Setup/SetupControls.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "Controls/Button.h"
#include "Controls/PushButton.h"
#include "Controls/TextField.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/BulkPreset.h"
#include "Screens/Setup/JobStart.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/PaneControls.h"

BulkResizerVC::BulkResizerVC(foundation::UserDefaults& defaults) : defaults_(defaults) {}

void BulkResizerVC::loadView() {
    auto* root = new appkit::View;
    root->resize(340, 560);
    auto* outer = new QVBoxLayout(root);
    outer->setContentsMargins(0, 18, 0, 0);
    outer->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(setup::kPaneInset, 0, setup::kPaneInset, 10);
    column->setSpacing(10);
    outer->addLayout(column, 1);
    column->addWidget(panes::plainLabel("Resize All Images", 17, true));
    column->addWidget(
        panes::captionLabel("Every image of the list, to one size. Smaller images are kept as they are."));
    column->itemAt(1)->widget()->setProperty("wordWrap", true);
    column->addSpacing(6);

    column->addWidget(panes::plainLabel("Size in pixels", 13, true));
    auto* sizes = new QGridLayout;
    sizes->setHorizontalSpacing(8);
    auto* validator = new QDoubleValidator(0, screens::kLargestBulkSide, 2, root);
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::StandardNotation);
    txtWidth = panes::optionField("Width");
    txtHeight = panes::optionField("Height");
    for (auto* field : {txtWidth, txtHeight}) {
        field->setValidator(validator);
        connect(field, &QLineEdit::textEdited, this, [this, field] { onChangeInTextField(field); });
        connect(field, &QLineEdit::returnPressed, this, [this, field] { onChangeInTextField(field); });
    }
    sizes->addWidget(txtWidth, 0, 0);
    sizes->addWidget(panes::captionLabel("×"), 0, 1);
    sizes->addWidget(txtHeight, 0, 2);
    column->addLayout(sizes);
    column->addWidget(panes::captionLabel("Leave one side empty to keep the proportions."));
    column->addSpacing(6);

    column->addWidget(panes::plainLabel("Or a percentage", 13, true));
    auto* percentRow = new QHBoxLayout;
    sliderPercent = new QSlider(Qt::Horizontal);
    sliderPercent->setAccessibleName("Percentage");
    sliderPercent->setRange(0, 100);
    connect(sliderPercent, &QSlider::valueChanged, this, [this] {
        showPercentage();
        onPercentageChanged();
    });
    percentRow->addWidget(sliderPercent, 1);
    lblPercent = panes::plainLabel(QString(), 13);
    lblPercent->setMinimumWidth(44);
    lblPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    percentRow->addWidget(lblPercent);
    column->addLayout(percentRow);
    column->addSpacing(6);

    column->addWidget(panes::plainLabel("Fit", 13, true));
    segResizeCrop = new appkit::SegmentedControl({"Resize", "Crop to Fill"});
    segResizeCrop->setSelectedSegment(0);
    column->addWidget(segResizeCrop, 0, Qt::AlignLeft);
    // Named as in the size picker and the saved sizes' details.
    btnSaliency = new controls::CheckBox("Magic Crop");
    btnSaliency->setToolTip(QStringLiteral("Keeps the subject of each photo in view"));
    column->addWidget(btnSaliency, 0, Qt::AlignLeft);
    column->addStretch(1);

    btnProceed = new controls::PushButton("PROCEED", controls::PushButton::Role::Primary);
    btnProceed->setAction([this](controls::ButtonBase&) { onProceed(); });
    outer->addWidget(setup::makePaneFooter(btnProceed));
    setView(root);
    showPercentage();
}

void BulkResizerVC::viewDidLoad() {
    storeNoPercentage();
}

void BulkResizerVC::storeNoPercentage() {
    defaults_.set("UD_Percentage", foundation::PlistValue(0.0f));
}

void BulkResizerVC::showPercentage() {
    const int value = sliderPercent->value();
    lblPercent->setText(value > 0 ? QString::number(value) + " %" : QStringLiteral("Off"));
}

void BulkResizerVC::clearSizeFields() {
    txtWidth->clear();
    txtHeight->clear();
}

void BulkResizerVC::sizeFieldChanged(QObject* sender) {
    if (sender == txtWidth || sender == txtHeight) storeNoPercentage();
}

std::optional<core::PresetInfo> BulkResizerVC::makeBulkPreset() const {
    return screens::makeBulkPreset(static_cast<float>(sliderPercent->value()),
                                   screens::bulkFieldValue(txtWidth->text().toStdString()),
                                   screens::bulkFieldValue(txtHeight->text().toStdString()),
                                   btnSaliency->isChecked(), segResizeCrop->selectedSegment());
}

void BulkResizerVC::onProceed() {
    // A second activation while the first one's job starts makes no second screen.
    if (jobStart_.isBusy()) return;
    if (const auto preset = makeBulkPreset()) startBulkJob(*preset);
}

void BulkResizerVC::startBulkJob(const core::PresetInfo& preset) {
    // Nothing slides in for a job that cannot run: no images, or no folder to write to.
    if (core::sharedImageList().isEmpty() || !parent()) return;
    if (!screens::ensureOutputFolder(defaults_)) return;
    // The job counts from here, so it works on the images listed now: what joins the list in the
    // half-second before it starts is not part of it.
    jobStart_.begin(*parent(), this,
                    [this, preset, images = core::sharedImageList().snapshot()](ActivityVC& activity) {
                        startActivity(activity, preset, images);
                    });
}

void BulkResizerVC::startActivity(ActivityVC& activity, const core::PresetInfo& preset,
                                  const std::vector<core::SourceURLInfo>& images) {
    startJobOnImages(activity, preset, images);
}
