#include "Screens/Setup/DefaultPresetsPickerVC.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Controls/PushButton.h"
#include "Controls/TableRowView.h"
#include "Core/Records/SharedLists.h"
#include "Extensions/AppKit/ViewControllerHelpers.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Setup/IntegerFormatter.h"
#include "Screens/Setup/SizePickerCells.h"

namespace {

using Mode = DefaultPresetsPickerDelegate::PickerMode;

QString percentText(double percent) {
    return QString::number(static_cast<long long>(std::round(percent)));
}

}  // namespace

DefaultPresetsPickerVC::DefaultPresetsPickerVC(foundation::UserDefaults& settings) : settings_(settings) {
    setIdentifier(ids::scene::DefaultPresetsPickerVC);
    registerSizePickerCells(appkit::Storyboard::main());
}

DefaultPresetsPickerVC::~DefaultPresetsPickerVC() {
    if (tableView) tableView->setDataSource(nullptr);
    // The two row contents belong to the picker; a cell showing one gives it back when it goes.
    for (QWidget* content : {static_cast<QWidget*>(customSizeView), static_cast<QWidget*>(percentView)})
        if (content && !content->parentWidget()) delete content;
}

DefaultPresetsPickerDelegate* DefaultPresetsPickerVC::presetPickerDelegate() const {
    return delegateObject_ ? delegate_ : nullptr;
}

void DefaultPresetsPickerVC::setPresetPickerDelegate(DefaultPresetsPickerDelegate* delegate) {
    delegate_ = delegate;
    delegateObject_ = dynamic_cast<QObject*>(delegate);
    if (tableView) tableView->reloadData();
}

DefaultPresetsPickerDelegate::PickerMode DefaultPresetsPickerVC::mode() const {
    auto* delegate = presetPickerDelegate();
    return delegate ? delegate->pickerMode() : Mode::Other;
}

void DefaultPresetsPickerVC::loadView() {
    auto* root = new appkit::View;
    root->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(12, 10, 12, 10);
    btnBack = new controls::PushButton(QStringLiteral("‹ Back"), controls::PushButton::Role::Secondary);
    btnBack->setAction([this](controls::ButtonBase&) { onBack(); });
    auto* title = setup::makeCaption(QStringLiteral("Choose Size"), 15, true);
    title->setAlignment(Qt::AlignCenter);
    btnDone = new controls::PushButton(QStringLiteral("Done"), controls::PushButton::Role::Primary);
    btnDone->setAction([this](controls::ButtonBase&) { onDone(); });
    bar->addWidget(btnBack);
    bar->addWidget(title, 1);
    bar->addWidget(btnDone);
    column->addLayout(bar);

    tableView = new appkit::TableView(root);
    tableView->setFrameShape(QFrame::NoFrame);
    tableView->setRowHeight(52);
    column->addWidget(tableView, 1);

    buildCustomSizeView();
    buildPercentView();
    setView(root);
}

void DefaultPresetsPickerVC::buildCustomSizeView() {
    customSizeView = new appkit::View;
    auto* column = new QVBoxLayout(customSizeView);
    column->setContentsMargins(20, 6, 20, 6);
    column->setSpacing(10);

    auto* sides = new QHBoxLayout;
    txtWidth = setup::makeTextField(QStringLiteral("Width"));
    txtHeight = setup::makeTextField(QStringLiteral("Height"));
    auto* times = setup::makeCaption(QStringLiteral("×"), 15, false, true);
    sides->addWidget(txtWidth, 1);
    sides->addWidget(times);
    sides->addWidget(txtHeight, 1);
    sides->addWidget(setup::makeCaption(QStringLiteral("px"), 13, false, true));
    column->addLayout(sides);

    auto* choices = new QHBoxLayout;
    segResizeCrop = new appkit::SegmentedControl({QStringLiteral("Resize"), QStringLiteral("Crop to Fill")});
    segResizeCrop->setSelectedSegment(0);
    segResizeCrop->setAccessibleName(QStringLiteral("Resize or crop"));
    btnSaliency = new controls::CheckBox(QStringLiteral("Magic Crop"));
    choices->addWidget(segResizeCrop);
    choices->addSpacing(16);
    choices->addWidget(btnSaliency);
    choices->addStretch(1);
    column->addLayout(choices);
    column->addWidget(
        setup::makeCaption(QStringLiteral("Leave one side empty to keep the proportions."), 12, false, true));
    column->addStretch(1);

    for (auto* field : {txtWidth.data(), txtHeight.data()}) {
        field->setValidator(new IntegerFormatter(field));
        connect(field, &QLineEdit::textEdited, this, [this, field] { textFieldChanged(field); });
    }
}

void DefaultPresetsPickerVC::buildPercentView() {
    percentView = new appkit::View;
    auto* column = new QVBoxLayout(percentView);
    column->setContentsMargins(20, 8, 20, 4);
    column->setSpacing(8);
    column->addWidget(setup::makeCaption(QStringLiteral("Percentage of the original size"), 13));

    // One control: the slider, and beside it the field that shows its value and takes a typed one;
    // at zero the field reads "Off", as no percentage is set.
    auto* slide = new QHBoxLayout;
    slide->setSpacing(12);
    sliderPercent = new QSlider(Qt::Horizontal);
    sliderPercent->setRange(0, 100 * kSliderSteps);
    sliderPercent->setAccessibleName(QStringLiteral("Percentage"));
    lblPercent = setup::makeCaption(QStringLiteral("0 %"), 15, true);
    lblPercent->hide();
    txtPercent = setup::makeTextField(QStringLiteral("Off"));
    txtPercent->setAccessibleName(QStringLiteral("Percent"));
    txtPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtPercent->setFixedWidth(84);
    slide->addWidget(sliderPercent, 1);
    slide->addWidget(txtPercent);
    column->addLayout(slide);
    column->addStretch(1);

    connect(sliderPercent, &QSlider::valueChanged, this, [this] {
        if (!syncing_) onPercentageChanged();
    });
    connect(txtPercent, &QLineEdit::textEdited, this, [this] { textFieldChanged(txtPercent); });
}

void DefaultPresetsPickerVC::viewDidLoad() {
    buildTableRows();
    storePercentage(0);
}

void DefaultPresetsPickerVC::viewDidAppear() {
    // The button that opened the picker is gone from view; without this the keyboard focus would
    // wander to the next button (Back) and ring it as if the user had tabbed there.
    if (txtWidth && txtWidth->isVisibleTo(view())) txtWidth->setFocus(Qt::OtherFocusReason);
}

double DefaultPresetsPickerVC::sliderValue() const {
    return sliderPercent ? double(sliderPercent->value()) / kSliderSteps : -1;
}

void DefaultPresetsPickerVC::setSliderValue(double percent) {
    if (!sliderPercent) return;
    syncing_ = true;
    sliderPercent->setValue(static_cast<int>(std::lround(std::clamp(percent, 0.0, 100.0) * kSliderSteps)));
    syncing_ = false;
}

void DefaultPresetsPickerVC::storePercentage(double percent) {
    settings_.set(kPercentageKey, foundation::PlistValue(percent));
}

void DefaultPresetsPickerVC::showPercent(double percent) {
    setSliderValue(percent);
    if (lblPercent) lblPercent->setText(percentText(percent) + QStringLiteral(" %"));
}

void DefaultPresetsPickerVC::buildTableRows() {
    mArrGroupedDataMac = setup::pickerRows(core::sharedPresetList().snapshot());
    if (tableView) {
        tableView->setDataSource(this);
        tableView->reloadData();
    }
}

void DefaultPresetsPickerVC::textFieldChanged(QObject* field) {
    if (!field) return;
    if (field == txtWidth || field == txtHeight) {
        storePercentage(0);
        showPercent(0);
        if (txtPercent) txtPercent->clear();
        return;
    }
    if (field != txtPercent) return;
    if (txtWidth) txtWidth->clear();
    if (txtHeight) txtHeight->clear();
    if (const auto percent = setup::parsePercentText(txtPercent->text().toStdString())) {
        storePercentage(*percent);
        showPercent(*percent);
    }
}

void DefaultPresetsPickerVC::onPercentageChanged() {
    if (txtWidth) txtWidth->clear();
    if (txtHeight) txtHeight->clear();
    const double percent = sliderValue();
    storePercentage(percent);
    if (lblPercent) lblPercent->setText(percentText(percent) + QStringLiteral(" %"));
    if (txtPercent)
        txtPercent->setText(percent > 0 ? percentText(percent) + QStringLiteral(" %") : QString());
}

std::optional<core::PresetInfo> DefaultPresetsPickerVC::makeSizeDictionary() const {
    const auto fieldValue = [](const controls::TextField* field) {
        return field ? field->text().toDouble() : -1.0;  // an empty field reads 0
    };
    return setup::makeCustomSize(sliderValue(), fieldValue(txtWidth), fieldValue(txtHeight),
                                 btnSaliency && btnSaliency->isChecked(),
                                 segResizeCrop ? segResizeCrop->selectedSegment() : -1);
}

void DefaultPresetsPickerVC::slideBack() {
    viewcontroller::transitionToSibling(*this, appkit::TransitionOption::SlideRight, 0);
}

void DefaultPresetsPickerVC::useSelectedSize(const core::PresetInfo& preset) {
    std::string rowName;
    const int selected = tableView ? tableView->selectedRow() : -1;
    if (selected >= 0 && static_cast<std::size_t>(selected) < mArrGroupedDataMac.size() &&
        mArrGroupedDataMac[static_cast<std::size_t>(selected)].kind == setup::PickerRow::Kind::Saved)
        rowName = core::presetName(mArrGroupedDataMac[static_cast<std::size_t>(selected)].presetObj);
    const core::PresetInfo size =
        setup::savedSizeForPick(preset, btnSaliency && btnSaliency->isChecked(), rowName);
    auto* delegate = presetPickerDelegate();
    slideBack();
    if (delegate) delegate->didPickPresets({size}, presetGiven);
}

void DefaultPresetsPickerVC::fillFromPreset(const core::PresetInfo& preset) {
    loadViewIfNeeded();
    const setup::SizeControlTexts texts = setup::sizeControlTexts(preset);
    if (txtWidth) txtWidth->setText(QString::fromStdString(texts.width));
    if (txtHeight) txtHeight->setText(QString::fromStdString(texts.height));
    setSliderValue(texts.sliderValue);
    if (lblPercent) lblPercent->setText(QString::fromStdString(texts.percentLabel));
    if (txtPercent)
        txtPercent->setText(texts.sliderValue > 0 ? QString::fromStdString(texts.percentLabel) : QString());
    shownSize_ = preset;
    if (tableView) tableView->reloadData();
    appkit::postToMainAfter(this, 0.2, [this] {
        if (tableView) tableView->scrollRowToVisible(0);
    });
}

void DefaultPresetsPickerVC::onSelectDeselectPreset(QWidget* sender) {
    if (!tableView || !sender || mode() != Mode::List) return;
    const int row = tableView->rowForView(sender);
    if (row < 0 || static_cast<std::size_t>(row) >= mArrGroupedDataMac.size()) return;
    const auto& record = mArrGroupedDataMac[static_cast<std::size_t>(row)];
    if (record.kind != setup::PickerRow::Kind::Saved) return;
    auto* box = qobject_cast<controls::CheckBox*>(sender);
    const bool on = box && box->isChecked();
    const auto found = std::find(mArrPresetsSelected.begin(), mArrPresetsSelected.end(), record.presetObj);
    if (on && found == mArrPresetsSelected.end()) mArrPresetsSelected.push_back(record.presetObj);
    if (!on) std::erase(mArrPresetsSelected, record.presetObj);
}

void DefaultPresetsPickerVC::onBack() {
    if (!parent()) return;
    slideBack();
}

void DefaultPresetsPickerVC::onDone() {
    std::vector<core::PresetInfo> picked;
    if (auto custom = makeSizeDictionary()) picked.push_back(std::move(*custom));
    picked.insert(picked.end(), mArrPresetsSelected.begin(), mArrPresetsSelected.end());
    auto* delegate = presetPickerDelegate();
    slideBack();
    if (delegate) delegate->didPickPresets(picked, presetGiven);
}

int DefaultPresetsPickerVC::numberOfRows(appkit::TableView&) {
    return static_cast<int>(mArrGroupedDataMac.size());
}

double DefaultPresetsPickerVC::heightOfRow(appkit::TableView& table, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= mArrGroupedDataMac.size()) return table.rowHeight();
    const auto& record = mArrGroupedDataMac[static_cast<std::size_t>(row)];
    // The custom-size and percent rows take the height their controls ask for.
    const QWidget* content = record.kind == setup::PickerRow::Kind::Custom    ? customSizeView.data()
                             : record.kind == setup::PickerRow::Kind::Percent ? percentView.data()
                                                                              : nullptr;
    if (content) return content->sizeHint().height();
    return setup::pickerRowHeight(record).value_or(table.rowHeight());
}

bool DefaultPresetsPickerVC::isGroupRow(appkit::TableView&, int row) {
    return row >= 0 && static_cast<std::size_t>(row) < mArrGroupedDataMac.size() &&
           mArrGroupedDataMac[static_cast<std::size_t>(row)].kind == setup::PickerRow::Kind::Header;
}

bool DefaultPresetsPickerVC::shouldSelectRow(appkit::TableView& table, int row) {
    return !isGroupRow(table, row);
}

QWidget* DefaultPresetsPickerVC::rowViewForRow(appkit::TableView&, int) {
    return controls::makeListRow();
}

QWidget* DefaultPresetsPickerVC::viewForRow(appkit::TableView& table, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= mArrGroupedDataMac.size()) return nullptr;
    const auto& record = mArrGroupedDataMac[static_cast<std::size_t>(row)];
    using Kind = setup::PickerRow::Kind;
    const char* identifier = record.kind == Kind::Header    ? ids::cellIDHeader
                             : record.kind == Kind::Custom  ? ids::cellIDCustom
                             : record.kind == Kind::Percent ? ids::cellIDPercent
                                                            : ids::cellIDDefault;
    appkit::View* cell = table.makeView(identifier);
    if (!cell) return nullptr;
    switch (record.kind) {
        case Kind::Header:
            setHeaderCellCaption(*cell, record.headerCaption);
            break;
        case Kind::Custom:
            pinCellContent(*cell, customSizeView);
            break;
        case Kind::Percent:
            pinCellContent(*cell, percentView);
            break;
        case Kind::Saved: {
            const bool ticked = std::find(mArrPresetsSelected.begin(), mArrPresetsSelected.end(),
                                          record.presetObj) != mArrPresetsSelected.end();
            const bool current =
                mode() == Mode::Editor && shownSize_ && setup::sameSize(*shownSize_, record.presetObj);
            auto* box = fillSavedSizeCell(*cell, record.presetObj, mode() == Mode::List, ticked, current);
            if (box) box->setAction([this, box](controls::ButtonBase&) { onSelectDeselectPreset(box); });
            break;
        }
    }
    return cell;
}

void DefaultPresetsPickerVC::selectionDidChange(appkit::TableView& table) {
    const int row = table.selectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= mArrGroupedDataMac.size()) return;
    const auto& record = mArrGroupedDataMac[static_cast<std::size_t>(row)];
    if (record.kind != setup::PickerRow::Kind::Saved || mode() != Mode::Editor) return;
    const core::PresetInfo preset = record.presetObj;
    useSelectedSize(preset);
}
