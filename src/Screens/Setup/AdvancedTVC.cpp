#include "Screens/Setup/AdvancedTVC.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Core/Effects/FMFilter.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Setup/AdvancedOptionsModel.h"
#include "Screens/Setup/EffectCollectionVC.h"
#include "Screens/Setup/JobStart.h"
#include "Screens/Setup/OptionsScrollArea.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/SetupControls.h"
#include "Screens/Setup/SizeListVC.h"

namespace {

// The effects row's least height: its caption and one row of effects.
constexpr int kEffectsShortest = 150;

// A titled group of the pane: a caption over its content.
QWidget* optionRow(const QString& caption, QWidget* content, QWidget* trailing = nullptr) {
    auto* row = new QWidget;
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(setup::kPaneInset, 8, setup::kPaneInset, 4);
    column->setSpacing(6);
    auto* head = new QHBoxLayout;
    head->addWidget(setup::makeCaption(caption, 11, true, true), 1);
    if (trailing) head->addWidget(trailing);
    column->addLayout(head);
    column->addWidget(content, 1);
    return row;
}

}  // namespace

AdvancedTVC::AdvancedTVC(foundation::UserDefaults& settings) : settings_(settings) {
    setIdentifier(ids::scene::AdvancedTVC);
    registerActivityScenes(appkit::Storyboard::main());
}

void AdvancedTVC::loadView() {
    auto* root = new appkit::View;
    root->setAutoFillBackground(true);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(6);

    segBtn = new appkit::SegmentedControl(
        {QStringLiteral("All"), QStringLiteral("Sizes"), QStringLiteral("Rename")});
    segBtn->setSelectedSegment(0);
    segBtn->setAccessibleName(QStringLiteral("Options shown"));
    segBtn->setAction(
        [this](appkit::SegmentedControl& sender) { showRowsForSegment(sender.selectedSegment()); });
    column->addWidget(segBtn, 0, Qt::AlignHCenter);

    auto* scroll = new OptionsScrollArea(root);
    auto* rows = new QWidget;
    auto* rowsLayout = new QVBoxLayout(rows);
    rowsLayout->setContentsMargins(0, 0, 0, 0);
    rowsLayout->setSpacing(2);

    // The image row, with its own small grid of the list.
    auto* images = new appkit::View;
    images->setFixedHeight(84);
    btnAddManage =
        new controls::PushButton(QStringLiteral("Add Images…"), controls::PushButton::Role::Borderless);
    btnAddManage->setAction([this](controls::ButtonBase&) { onAddOrPrevImg(); });
    imgCollView = optionRow(QStringLiteral("IMAGES"), images, btnAddManage);
    rowsLayout->addWidget(imgCollView);
    embedScene(ids::scene::CollectionVC, images);
    if (auto* list = collectionVC()) {
        (new QVBoxLayout(images))->setContentsMargins(0, 0, 0, 0);
        images->layout()->addWidget(list->view());
    }
    imgCollView->hide();

    auto sizes = std::make_shared<SizeListVC>();
    addChild(sizes);
    resizeView = optionRow(QStringLiteral("SIZES"), sizes->view());
    cnstPresetHeight = new appkit::LayoutConstraint(resizeView, appkit::LayoutConstraint::Attribute::Height,
                                                    setup::sizeListHeight(0));
    sizes->heightDidChange = [this](double height) {
        if (cnstPresetHeight) appkit::animator(*cnstPresetHeight).setConstant(height);
    };
    rowsLayout->addWidget(resizeView);

    auto effects = std::make_shared<EffectCollectionVC>();
    addChild(effects);
    effects->didSelectFilter = [this](std::shared_ptr<const core::FMFilterable> filter) {
        // "Original" is no effect at all: the run may then copy files as they are.
        filterForUseNow = filter && !filter->isOriginal() ? filter : nullptr;
    };
    effectsView = optionRow(QStringLiteral("EFFECT"), effects->view());
    // The effects grid scrolls on its own, as tall as its constraint allows, and gives way first when
    // the pane is short; when even its least height does not fit, it shows every effect and the pane
    // scrolls instead: one scroll bar, never two side by side.
    effectsView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    rowsLayout->addWidget(effectsView, 1);

    auto format = std::make_shared<FormatSelectionView>();
    addChild(format);
    formatView = optionRow(QStringLiteral("OUTPUT FORMAT"), format->view());
    rowsLayout->addWidget(formatView);

    auto* preview = setup::makeTextField(QStringLiteral("Names stay as they are"));
    preview->setReadOnly(true);
    appkit::View::setTagOf(preview, 1);
    auto* renameButton =
        new controls::PushButton(QStringLiteral("Options…"), controls::PushButton::Role::Borderless);
    renameButton->setAction([this](controls::ButtonBase&) { showRenameOptions(); });
    renameView = optionRow(QStringLiteral("RENAME"), preview, renameButton);
    rowsLayout->addWidget(renameView);
    // Space the effects grid leaves once at its full height gathers under the last row.
    rowsLayout->addStretch(0);
    appkit::CollectionView* grid = effects->collEffects;
    scroll->setRows(rows, effectsView, grid, kEffectsShortest,
                    [grid] { return grid->contentSize().height(); });
    cnstEffectsHeight = new appkit::LayoutConstraint(
        effectsView, [scroll](double height) { scroll->setRowLimit(height); }, 280);
    column->addWidget(scroll, 1);

    // The run button has one name on every tab: the Rename and Bulk tabs' PROCEED. It stays in a
    // fixed footer, set off from the rows that scroll above it.
    btnProceed = new controls::PushButton(QStringLiteral("PROCEED"), controls::PushButton::Role::Primary);
    btnProceed->setAction([this](controls::ButtonBase&) { chooseSavingLocationAndProceed(); });
    column->addWidget(setup::makePaneFooter(btnProceed));
    setView(root);
}

void AdvancedTVC::viewDidLoad() {
    refreshEffectPreviewImage();
}

void AdvancedTVC::showRowsForSegment(int segment) {
    const setup::OptionRows rows = setup::rowsForSegment(segment);
    if (effectsView) effectsView->setVisible(rows.effects);
    if (resizeView) resizeView->setVisible(rows.resize);
    if (formatView) formatView->setVisible(rows.format);
    if (renameView) renameView->setVisible(rows.rename);
}

void AdvancedTVC::showRenameOptions() {
    if (ViewController* container = parent()) container->performSegue(ids::SlideLeft_RenameOption);
}

SizeListVC* AdvancedTVC::sizeListVC() const {
    return firstChild<SizeListVC>();
}
screens::CollectionVC* AdvancedTVC::collectionVC() const {
    return firstChild<screens::CollectionVC>();
}
EffectCollectionVC* AdvancedTVC::effectCollectionVC() const {
    return firstChild<EffectCollectionVC>();
}

void AdvancedTVC::refreshEffectPreviewImage() {
    const auto first = core::sharedImageList().at(0);
    if (EffectCollectionVC* grid = effectCollectionVC())
        grid->setImgToPreviewEffect(first ? first->objThumbImage : std::nullopt);
}

void AdvancedTVC::setAddManageImage(const std::string& name) {
    if (btnAddManage)
        btnAddManage->setTitle(name == "add" ? QStringLiteral("Add Images…") : QStringLiteral("Manage"));
}

screens::CollectionVC* AdvancedTVC::siblingImageList() {
    // The tab's own list pane holds this pane's container.
    ViewController* holder = parent();
    auto* pane = holder ? dynamic_cast<screens::ImageListHost*>(holder->parent()) : nullptr;
    return pane ? pane->collectionVCEmbeded.data() : nullptr;
}

void AdvancedTVC::onAddOrPrevImg() {
    // The chosen images join the tab's own list, through the tab's entry for images.
    if (screens::CollectionVC* list = siblingImageList()) list->browseForImages();
}

void AdvancedTVC::chooseSavingLocationAndProceed() {
    // A second activation while the first one's job starts (Space pressed twice during the slide)
    // makes no second screen.
    if (jobStart_.isBusy() || core::sharedImageList().isEmpty()) return;
    ViewController* container = parent();
    if (!container || !screens::ensureOutputFolder(settings_)) return;
    jobStart_.begin(*container, this, [this](ActivityVC& activity) { beginActivity(activity); });
}

void AdvancedTVC::beginActivity(ActivityVC& activity) {
    if (activityDidStart) activityDidStart();
    startProcessing(activity);
}

void AdvancedTVC::startProcessing(ActivityVC& activity) {
    const auto images = core::sharedImageList().snapshot();
    if (images.empty()) {
        // The list was emptied before the start: the job that was expected ends at once, saying so,
        // and no preset is counted as used.
        core::JobParameters none;
        none.presets = {setup::placeholderPreset()};
        activity.startJob(std::move(none));
        return;
    }
    SizeListVC* sizes = sizeListVC();
    std::vector<core::PresetInfo> presets =
        sizes ? sizes->mArrPresetsSelected : std::vector<core::PresetInfo>{};
    if (!presets.empty() && sizes)
        sizes->mArrPresetsSelected = setup::raiseUsageCounts(core::sharedPresetList(), presets);
    core::savePresetList(settings_, core::sharedPresetList());
    settings_.synchronize();
    if (presets.empty()) presets.push_back(setup::placeholderPreset());

    core::JobParameters params;
    params.presets = std::move(presets);
    params.images.assign(images.begin(), images.end());
    params.outputFormat = setup::jobOutputFormat(strOutputFormat);
    params.effectFilter = filterForUseNow;
    params.isAutoEnhanced = isAutoEnhanced;
    activity.startJob(std::move(params));
}

void AdvancedTVC::takeRenamePreview(const std::string& previewText) {
    if (!renameView) return;
    for (QLineEdit* field : renameView->findChildren<QLineEdit*>())
        if (appkit::View::tagOf(field) == 1) field->setText(QString::fromStdString(previewText));
}
