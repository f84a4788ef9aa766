#include "Screens/Setup/RenameOptionTVC.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "Controls/Button.h"
#include "Controls/ButtonTextColor.h"
#include "Controls/PushButton.h"
#include "Controls/TextField.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Extensions/AppKit/ViewControllerHelpers.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Setup/NewFileName.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/PaneControls.h"
#include "Screens/Setup/RenameOptionVC.h"
#include "Screens/Setup/RenamedNames.h"
#include "Screens/Setup/SetupControls.h"

RenameOptionTVC::RenameOptionTVC(foundation::UserDefaults& defaults) : defaults_(defaults) {}

void RenameOptionTVC::loadView() {
    auto* root = new appkit::View;
    root->resize(340, 560);
    auto* outer = new QVBoxLayout(root);
    outer->setContentsMargins(0, 14, 0, 0);
    outer->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(setup::kPaneInset, 0, setup::kPaneInset, 10);
    column->setSpacing(8);
    outer->addLayout(column, 1);

    backBar_ = new QWidget(root);
    auto* back = new QHBoxLayout(backBar_);
    back->setContentsMargins(0, 0, 0, 0);
    btnBack = new controls::PushButton("Back", controls::PushButton::Role::Secondary);
    btnBack->setAction([this](controls::ButtonBase&) { onBack(); });
    back->addWidget(btnBack);
    back->addStretch(1);
    column->addWidget(backBar_);

    column->addWidget(panes::plainLabel("New File Name", 17, true));
    demoView = new appkit::View(root);
    auto* demo = new QHBoxLayout(demoView);
    demo->setContentsMargins(0, 0, 0, 0);
    demo->addWidget(panes::captionLabel("Sample"));
    lblDemo = panes::plainLabel(QString(), 13);
    demo->addWidget(lblDemo, 1);
    column->addWidget(demoView);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    const auto row = [&](int r, const char* caption, controls::TextField*& field, const char* placeholder) {
        form->addWidget(panes::captionLabel(caption), r, 0);
        field = panes::optionField(placeholder);
        field->setAccessibleName(caption);
        connect(field, &QLineEdit::textEdited, this, [this, f = field] { onChangeInTextField(f); });
        connect(field, &QLineEdit::returnPressed, this, [this, f = field] { onChangeInTextField(f); });
        form->addWidget(field, r, 1);
    };
    row(0, "Prefix", txtPrefix, "Before the name");
    row(1, "Suffix", txtSufix, "After the name");
    row(2, "New Name", txtRename, "Replaces the name");
    row(3, "Start Index", txtInitialIndex, "First number");
    row(4, "Find", txtFind, "Text in the name");
    row(5, "Replace", txtReplace, "Put in its place");
    column->addSpacing(4);
    column->addLayout(form);

    column->addSpacing(8);
    column->addWidget(panes::captionLabel("Preview"));
    lblPreview = panes::plainLabel(QString(), 15, true);
    lblPreview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblPreview->setAccessibleName("Preview");
    column->addWidget(lblPreview);
    column->addStretch(1);

    btnDone = new controls::PushButton("Done", controls::PushButton::Role::Primary);
    btnDone->setAction([this](controls::ButtonBase&) { onDone(); });
    outer->addWidget(setup::makePaneFooter(btnDone));
    setView(root);
}

void RenameOptionTVC::viewDidLoad() {
    runLoadSteps();
}

QString RenameOptionTVC::demoText() const {
    return QString::fromStdString(
        screens::demoLabelWithFormat(kSampleStem, kSampleExtension, strOutputFormat));
}

void RenameOptionTVC::runLoadSteps() {
    // Both labels are made from the untouched sample each time, so a second run never adds the
    // extension twice.
    lblDemo->setText(demoText());
    updatePreview();
    fillFieldsFromOptions();
    configureForHolder();
}

void RenameOptionTVC::fillFieldsFromOptions() {
    // All six: a find and replace left from an earlier visit must show while it renames.
    const core::RenameOptions options = core::sharedRenameOptions().get();
    txtPrefix->setText(QString::fromStdString(options.renamePrefix));
    txtSufix->setText(QString::fromStdString(options.renameSuffix));
    txtRename->setText(QString::fromStdString(options.renameNewName));
    txtInitialIndex->setText(QString::fromStdString(options.renameStartIndex));
    txtFind->setText(QString::fromStdString(options.renameFindText));
    txtReplace->setText(QString::fromStdString(options.renameReplaceText));
}

void RenameOptionTVC::configureForHolder() {
    if (!isViewLoaded()) return;
    if (!configureWithParent()) appkit::retryOnMain(this, [this] { return configureWithParent(); });
}

bool RenameOptionTVC::configureWithParent() {
    if (!parent()) return false;
    if (dynamic_cast<RenameHolderVC*>(parent())) {
        btnDone->setTitle("PROCEED");
        button::setTextColor(*btnDone, cg::Color::whiteColor());
        backBar_->hide();
        demoView->hide();
        enableProceedForImages();
    }
    return true;
}

void RenameOptionTVC::enableProceedForImages() {
    // PROCEED does nothing without images, so it does not look as if it would.
    if (btnDone && dynamic_cast<RenameHolderVC*>(parent()))
        btnDone->setEnabled(!core::sharedImageList().isEmpty());
}

void RenameOptionTVC::onChangeInTextField(const QLineEdit* field) {
    storeOptionFromField(field);
    updatePreview();
}

void RenameOptionTVC::storeOptionFromField(const QLineEdit* field) {
    core::RenameOptions options = core::sharedRenameOptions().get();
    const std::string text = field ? field->text().toStdString() : std::string();
    if (field == txtPrefix)
        options.renamePrefix = text;
    else if (field == txtSufix)
        options.renameSuffix = text;
    else if (field == txtRename)
        options.renameNewName = text;
    else if (field == txtInitialIndex)
        options.renameStartIndex = text;
    else if (field == txtFind)
        options.renameFindText = text;
    else if (field == txtReplace)
        options.renameReplaceText = text;
    else
        return;
    core::sharedRenameOptions().set(std::move(options));
}

void RenameOptionTVC::updatePreview() {
    const core::RenameOptions options = core::sharedRenameOptions().get();
    auto& list = core::sharedImageList();
    auto renamed = screens::renamedRecords(list.snapshot(), strOutputFormat, options);
    lblPreview->setText(
        QString::fromStdString(screens::renamedFileName(demoText().toStdString(), strOutputFormat, options)));
    // The same list with new names, not a list started afresh: images still being collected for it
    // join it when they arrive.
    list.modify([&renamed](std::vector<core::SourceURLInfo>& images) {
        for (std::size_t i = 0; i < images.size() && i < renamed.size(); ++i)
            if (images[i].id == renamed[i].id) images[i] = renamed[i];
    });

    // The rows already made show their image's new name at once.
    auto* pane = parent() ? dynamic_cast<screens::ImageListHost*>(parent()->parent()) : nullptr;
    screens::CollectionVC* images = pane ? pane->collectionVCEmbeded.data() : nullptr;
    if (!images || !images->tableView) return;
    for (int row = 0; row < static_cast<int>(renamed.size()); ++row)
        if (auto* cell = qobject_cast<screens::ImageItemView*>(images->tableView->viewAtRow(row)))
            images->configureImageItem(*cell, row, renamed, true);
}

void RenameOptionTVC::proceed() {
    if (auto* holder = dynamic_cast<RenameHolderVC*>(parent())) {
        // A second activation while the first one's run starts makes no second screen.
        if (jobStart_.isBusy() || core::sharedImageList().isEmpty()) return;
        if (!screens::ensureOutputFolder(defaults_)) return;
        // The run copies under exactly the names shown now.
        updatePreview();
        jobStart_.begin(*holder, this, [this](ActivityVC& activity) { startActivityPanel(activity); });
        return;
    }
    if (auto* receiver = dynamic_cast<RenamePreviewReceiver*>(vcCallFrom.data()))
        receiver->takeRenamePreview(lblPreview->text().toStdString());
    viewcontroller::transitionToSibling(*this, appkit::TransitionOption::SlideRight, 0);
}

void RenameOptionTVC::startActivityPanel(ActivityVC& activity) {
    if (activityDidStart) activityDidStart(activity);
    startRenameRun(activity);
}

void RenameOptionTVC::startRenameRun(ActivityVC& activity) {
    // One placeholder preset: the engine copies every image under the new name its record carries.
    startJobOnImageList(activity, core::PresetInfo{{std::string(core::presetkey::markDummy), true}});
}

void RenameOptionTVC::goBack() {
    viewcontroller::transitionToSibling(*this, appkit::TransitionOption::SlideRight, 0);
}
