#include "Screens/Setup/PresetListForIOS.h"

#include "Screens/Activity/CloseMark.h"

#include <QCursor>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "Controls/InterfaceStyle.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Controls/SystemAppearance.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CloseActivityAlert.h"
#include "Screens/Activity/RequestGate.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetCellText.h"
#include "Screens/Setup/PresetView.h"

namespace {

constexpr double kActivityPanelWidth = 350;
constexpr char kRowLabel[] = "accessibilityLabel";

}  // namespace

// Centres the columns of cards that fit in the grid's width, so the margins left and right match.
class CentredGrid final : public QObject {
  public:
    explicit CentredGrid(appkit::CollectionView* grid) : QObject(grid), grid_(grid) {
        grid->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Resize) return false;
        constexpr double margin = 12, gap = 10;
        const double width = grid_->viewport()->width(), item = grid_->itemSize().width;
        const int columns =
            std::max(1, static_cast<int>(std::floor((width - 2 * margin + gap) / (item + gap))));
        const double used = columns * item + (columns - 1) * gap;
        const double left = std::max(margin, std::floor((width - used) / 2));
        const double right = std::max(0.0, width - used - left);
        if (left != left_ || right != right_) {
            left_ = left;
            right_ = right;
            grid_->setSpacing(gap, gap);
            grid_->setInsets(10, left, 10, right);
        }
        return false;
    }

  private:
    appkit::CollectionView* grid_;
    double left_ = -1, right_ = -1;
};

// Keeps a small control (the spinner, the panel's close mark) in the top right corner of its side,
// above everything else there.
class SpinnerCorner final : public QObject {
  public:
    SpinnerCorner(QWidget* side, QWidget* spinner, int right = 14, int top = 10)
        : QObject(side), side_(side), spinner_(spinner), right_(right), top_(top) {
        side->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if ((event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest) && spinner_) {
            spinner_->move(side_->width() - spinner_->width() - right_, top_);
            spinner_->raise();
        }
        return false;
    }

  private:
    QWidget* side_;
    QPointer<QWidget> spinner_;
    int right_, top_;
};

namespace {

std::int64_t usageCount(const core::PresetInfo& preset) {
    const auto it = preset.find("countUsage");
    if (it == preset.end()) return 0;
    const std::int64_t* count = it->second.integerIf();
    return count ? *count : 0;
}

}  // namespace

PresetListForIOS::PresetListForIOS(foundation::UserDefaults& defaults) : defaults_(defaults) {
    setIdentifier(ids::scene::PresetListForIOS);
    registerActivityScenes(appkit::Storyboard::main());
    if (!appkit::Storyboard::main().hasController(ids::presetCell))
        appkit::Storyboard::main().registerController(ids::presetCell,
                                                      [] { return std::make_shared<PresetCell>(); });
}

PresetListForIOS::~PresetListForIOS() {
    if (collectionView) collectionView->setDataSource(nullptr);
    if (btnDismissActivity) btnDismissActivity->removeEventFilter(this);
}

void PresetListForIOS::loadView() {
    auto* root = new appkit::View;
    auto* layout = new QHBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* gridSide = new QWidget(root);
    auto* gridLayout = new QVBoxLayout(gridSide);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    // The spinner floats over the grid's top right corner, so the grid never moves when it turns.
    loadingIndicatorView = new controls::KRActivityIndicatorView(gridSide);
    loadingIndicatorView->setFixedSize(24, 24);
    // The indicator's own default is white, which vanishes on the light grid: it turns in the colour
    // of the interface's text, and follows the desktop when it changes between light and dark.
    tintLoadingIndicator();
    connect(&controls::SystemAppearance::instance(), &controls::SystemAppearance::changed,
            loadingIndicatorView, [this] { tintLoadingIndicator(); });
    collectionView = new appkit::CollectionView(gridSide);
    collectionView->setItemSize({200, 150});
    collectionView->setSelectable(false);
    collectionView->setDataSource(this);
    gridLayout->addWidget(collectionView, 1);
    layout->addWidget(gridSide, 1);
    new SpinnerCorner(gridSide, loadingIndicatorView);
    new CentredGrid(collectionView);

    activityPanel_ = new appkit::View(root);
    auto* panelColumn = new QVBoxLayout(activityPanel_);
    panelColumn->setContentsMargins(0, 0, 0, 0);
    panelColumn->setSpacing(0);
    // The panel's close control lies over the activity screen's own, in its top right corner: one
    // close mark in every state, which asks before it stops a running job.
    btnDismissActivity = screens::makeCloseMark(QStringLiteral("Close Activity"), activityPanel_);
    btnDismissActivity->hide();
    // Its visibility is the screen's busy flag, however it is shown or hidden (at once or at the end
    // of an animation).
    btnDismissActivity->installEventFilter(this);
    connect(btnDismissActivity, &controls::PushButton::clicked, this, [this] { confirmCloseActivity(); });
    new SpinnerCorner(activityPanel_, btnDismissActivity, screens::kCloseMarkInset, screens::kCloseMarkInset);
    activityPanel_->setWantsLayer(true);
    layout->addWidget(activityPanel_);
    cnstActivityWidth =
        new appkit::LayoutConstraint(activityPanel_, appkit::LayoutConstraint::Attribute::Width, 0);

    optionMenu = new appkit::Menu(QString(), root);
    optionMenu->addItem("Rename", [this](appkit::MenuItem&) { beginPresetRename(); });
    resizeOnPresetItem_ = optionMenu->addItem("Resize on Preset",
                                              [this](appkit::MenuItem&) { runMenuPresetOnBrowsedImages(); });
    optionMenu->addSeparator();
    optionMenu->addItem("Delete", [this](appkit::MenuItem&) { deletePreset(); });
    setView(root);
}

void PresetListForIOS::viewDidLoad() {
    if (didLoad) didLoad();
    cnstActivityWidth->setConstant(0);
    activityPanel_->hide();
    // The panel's layout keeps the activity screen at the panel's full size as its width animates.
    if (ViewController* holder = embedScene(ids::scene::ActivityHolderVC, activityPanel_))
        static_cast<QVBoxLayout*>(activityPanel_->layout())->addWidget(holder->view(), 1);
    collectionView->reloadData();
}

bool PresetListForIOS::isBusy() const {
    return btnDismissActivity && !btnDismissActivity->isHidden();
}

void PresetListForIOS::busyChanged() {
    const bool busy = isBusy();
    if (resizeOnPresetItem_) resizeOnPresetItem_->setEnabled(!busy);
    if (busyDidChange) busyDidChange(busy);
}

bool PresetListForIOS::isShowingSheet() const {
    appkit::Window* w = window();
    return w && w->sheetCount() == 1;
}

bool PresetListForIOS::rowInList(std::optional<int> row) const {
    return row && *row >= 0 && static_cast<std::size_t>(*row) < core::sharedPresetList().count();
}

int PresetListForIOS::numberOfItems(appkit::CollectionView&) {
    return static_cast<int>(core::sharedPresetList().count());
}

std::shared_ptr<appkit::CollectionViewItem> PresetListForIOS::itemForIndex(appkit::CollectionView& view,
                                                                           int index) {
    auto item = view.makeItem(ids::presetCell, index);
    if (auto* cell = dynamic_cast<PresetCell*>(item.get()); cell && rowInList(index))
        configurePresetCell(*cell, index);
    return item;
}

void PresetListForIOS::configurePresetCell(PresetCell& cell, int row) {
    const auto preset = core::sharedPresetList().at(static_cast<std::size_t>(row));
    if (!preset) return;
    cell.loadViewIfNeeded();
    const setup::PresetBadges b = setup::presetBadges(*preset);
    cell.nameField->setText(QString::fromStdString(b.name));
    // The row travels in the field's accessibility label; a screen reader hears the preset's name.
    cell.nameField->setProperty(kRowLabel, QString::number(row));
    cell.nameField->setAccessibleName(QString::fromStdString(b.name));
    cell.nameField->setReadOnly(true);
    cell.sizeText->setText(QString::fromStdString(b.sizeText));
    cell.formatBadge->setText(QString::fromStdString(b.format));
    cell.formatBadge->setVisible(b.formatShown);
    cell.effectBadge->setText(QString::fromStdString(b.effect));
    cell.effectBadge->setVisible(b.effectShown);
    cell.saliencyBadge->setText(QString::fromStdString(b.saliency));
    cell.saliencyBadge->setVisible(b.saliencyShown);
    cell.originalBadge->setText(b.originalShown ? QStringLiteral("ORIGINAL") : QString());
    cell.originalBadge->setVisible(b.originalShown);
    cell.enhanceMark->setVisible(b.autoEnhance);

    const cg::Color tag = core::presetColorTag(*preset);
    auto paint = [](appkit::View* v, cg::Color c) {
        v->setWantsLayer(true);
        v->layer()->backgroundColor = c;
        v->layerDidChange();
    };
    paint(cell.widthBar, tag.withAlpha(core::presetHasWidth(*preset) ? 1.0 : 0.3));
    paint(cell.heightBar, tag.withAlpha(core::presetHasHeight(*preset) ? 1.0 : 0.3));
    paint(cell.sizeBox, tag.withAlpha(0.2));
    if (const auto frame = setup::aspectBoxFrame(core::presetWidth(*preset), core::presetHeight(*preset))) {
        // The frame is in the box area's own coordinates, y up from its bottom edge.
        const QRect r(qRound(frame->origin.x), qRound(60 - frame->origin.y - frame->size.height),
                      qRound(frame->size.width), qRound(frame->size.height));
        cell.sizeBox->setGeometry(r);
        cell.widthBar->setGeometry(0, r.height() - 4, r.width(), 4);
        cell.heightBar->setGeometry(0, 0, 4, r.height());
        cell.enhanceMark->move(r.width() / 2 - 8, r.height() / 2 - 10);
    }

    connect(cell.nameField, &QLineEdit::returnPressed, this, [this, field = cell.nameField] {
        commitPresetRename(field->property(kRowLabel).toString().toInt(), field->text());
    });
    cell.nameField->installEventFilter(this);
    connect(cell.optionButton, &controls::PushButton::clicked, this,
            [this, row, button = cell.optionButton] { showOptionMenuForRow(row, button); });
    cell.presetView->servePreset(this, row);
    cell.presetView->clearHoverHighlight();
}

void PresetListForIOS::showOptionMenuForRow(int row, QWidget* sender) {
    if (!rowInList(row)) return;
    intRowFromMenu = row;
    collViewForMenu = collectionView;
    appkit::postToMain(this, [menu = optionMenu, sender = QPointer<QWidget>(sender)] {
        if (menu && sender) menu->popUp(-1, QCursor::pos(), nullptr);
    });
}

void PresetListForIOS::beginPresetRename() {
    if (!rowInList(intRowFromMenu) || !collViewForMenu) return;
    auto* cell = dynamic_cast<PresetCell*>(collViewForMenu->itemAtIndex(*intRowFromMenu));
    if (!cell) return;
    cell->nameField->setReadOnly(false);
    cell->nameField->setFocus();
    cell->nameField->selectAll();
}

void PresetListForIOS::commitPresetRename(int row, const QString& text) {
    if (!rowInList(row)) return;
    auto preset = *core::sharedPresetList().at(static_cast<std::size_t>(row));
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty())
        preset["presetName"] = foundation::PlistValue(setup::capitalisedName(trimmed.toStdString()));
    core::sharedPresetList().replaceAt(static_cast<std::size_t>(row), preset);
    // Saved at once: a rename must survive a crash before the next save.
    savePresets();
    if (rebuildPresetsMenu) rebuildPresetsMenu();
    endNameEditing(row);
    if (collViewForMenu) collViewForMenu->reloadItems({row});
}

bool PresetListForIOS::eventFilter(QObject* watched, QEvent* event) {
    // The type first: the close mark is torn down with events of its own, and one being destroyed
    // must not be taken for the button it was.
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) &&
        watched == btnDismissActivity)
        busyChanged();
    // A rename in place ends like any text edit: Escape drops it, leaving the field keeps it.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (!field || field->isReadOnly()) return ViewController::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        field->setReadOnly(true);
        // The reload replaces this very field: not while it handles its own event.
        appkit::postToMain(this, [this] { cancelPresetRename(); });
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        field->setReadOnly(true);
        // Committed once the field has finished with its event; a field replaced by then (a Return
        // already committed it, or Escape dropped it) has nothing left to commit.
        appkit::postToMain(this, [this, edited = QPointer<QLineEdit>(field)] {
            if (edited) commitPresetRename(edited->property(kRowLabel).toString().toInt(), edited->text());
        });
    }
    return ViewController::eventFilter(watched, event);
}

void PresetListForIOS::endNameEditing(int row) {
    // The field the reload replaces loses the focus on its way out; read-only, it commits nothing.
    if (!collectionView) return;
    if (auto* cell = dynamic_cast<PresetCell*>(collectionView->itemAtIndex(row)))
        cell->nameField->setReadOnly(true);
}

void PresetListForIOS::cancelPresetRename() {
    if (!rowInList(intRowFromMenu)) return;
    endNameEditing(*intRowFromMenu);
    if (collectionView) collectionView->reloadItems({*intRowFromMenu});
}

void PresetListForIOS::deletePreset() {
    if (!rowInList(intRowFromMenu)) return;
    const int row = *intRowFromMenu;
    core::sharedPresetList().removeAt(static_cast<std::size_t>(row));
    // The running preset keeps its highlight under its new row.
    if (presetProcessingNow == row)
        presetProcessingNow.reset();
    else if (presetProcessingNow && *presetProcessingNow > row)
        presetProcessingNow = *presetProcessingNow - 1;
    // Saved even when the list is now empty, so a delete is never undone by a crash.
    savePresets();
    if (collViewForMenu) {
        collViewForMenu->deleteItems({row});
        // The cells carry their rows.
        collViewForMenu->reloadData();
    }
    if (rebuildPresetsMenu) rebuildPresetsMenu();
}

void PresetListForIOS::addPreset(const core::PresetInfo& preset) {
    core::sharedPresetList().append(preset);
    savePresets();
    const int last = static_cast<int>(core::sharedPresetList().count()) - 1;
    if (collectionView) {
        collectionView->insertItems({last});
        collectionView->scrollToItem(last, appkit::CollectionView::ScrollPosition::Bottom, true);
    }
    if (rebuildPresetsMenu) rebuildPresetsMenu();
}

void PresetListForIOS::runMenuPresetOnBrowsedImages(std::shared_ptr<void> hold) {
    // While busy the commands that lead here are disabled; images chosen now could not run.
    if (!rowInList(intRowFromMenu) || isBusy()) return;
    const int row = *intRowFromMenu;
    appkit::postToMain(this, [this, row, hold] {
        // The job needs the activity screen, embedded a moment after the screen shows. One modal at
        // a time: a panel the user opened meanwhile (the output folder asked for by a drop) is
        // answered first.
        whenActivityIsEmbedded([this, row, hold] {
            screens::whenModalsAreGone([this, row, hold] { browseAndUsePreset(row, hold); }, this);
        });
    });
}

void PresetListForIOS::browseAndUsePreset(int row, std::shared_ptr<void> hold) {
    // A job started meanwhile (by a drop) leaves this run out.
    if (isBusy()) return;
    // Let go once the images are chosen and the job counts as running, or with the panel when it
    // is cancelled: whatever waits for this run goes on then.
    auto held = std::make_shared<std::shared_ptr<void>>(std::move(hold));
    auto use = [self = QPointer<PresetListForIOS>(this), row, held](std::vector<std::string> paths) {
        if (self && !paths.empty()) self->highlightAndUsePreset(paths, row);
        held->reset();
    };
    if (browseForImages) {
        browseForImages(use);
        return;
    }
    auto panel = std::make_shared<appkit::OpenPanel>();
    panel->canChooseDirectories = true;
    panel->allowsMultipleSelection = true;
    panel->beginSheetModal(
        window(),
        [panel, use](appkit::ModalResponse response) {
            if (response == appkit::ModalResponse::OK) use(panel->urls());
        },
        this);
}

void PresetListForIOS::whenActivityIsEmbedded(std::function<void()> then) {
    if (activityVC_Embedded) {
        then();
        return;
    }
    untilActivityEmbedded_.push_back(std::move(then));
}

void PresetListForIOS::runPresetFromMenu(int row, const std::string& name, std::shared_ptr<void> hold) {
    // The item was built with the preset at `row`; a list changed since then runs nothing.
    if (!rowInList(row) ||
        core::presetName(*core::sharedPresetList().at(static_cast<std::size_t>(row))) != name)
        return;
    intRowFromMenu = row;
    runMenuPresetOnBrowsedImages(std::move(hold));
}

void PresetListForIOS::highlightAndUsePreset(const std::vector<std::string>& paths, int row) {
    if (!rowInList(row) || isBusy()) return;
    // Like a drop: without a folder that still exists there is nowhere to write, so ask.
    if (!ensureOutputFolder()) return;
    presetProcessingNow = row;
    if (PresetView* view = presetViewAt(row)) view->showHoverHighlight();
    usePreset(paths, row);
}

PresetView* PresetListForIOS::presetViewAt(int row) const {
    if (!collectionView) return nullptr;
    auto* cell = dynamic_cast<PresetCell*>(collectionView->itemAtIndex(row));
    return cell ? cell->presetView : nullptr;
}

bool PresetListForIOS::ensureOutputFolder() {
    return screens::ensureOutputFolder(defaults_);
}

bool PresetListForIOS::dropOnPreset(int row, const std::vector<std::string>& paths, PresetView* view) {
    if (paths.empty() || !rowInList(row) || isBusy()) return false;
    if (!ensureOutputFolder()) return false;
    presetProcessingNow = row;
    intRowFromMenu = row;
    if (view) view->showHoverHighlight();
    usePreset(paths, row);
    return true;
}

bool PresetListForIOS::runPresetOnTableFiles(int row, const std::vector<std::string>& paths) {
    if (paths.empty() || !rowInList(row) || isBusy()) return false;
    if (!ensureOutputFolder()) return false;
    usePreset(paths, row);
    return true;
}

void PresetListForIOS::savePresets() {
    core::savePresetList(defaults_, core::sharedPresetList());
    defaults_.synchronize();
}

void PresetListForIOS::usePreset(const std::vector<std::string>& paths, int row) {
    if (paths.empty() || !rowInList(row)) return;
    const auto index = static_cast<std::size_t>(row);
    const core::PresetInfo preset = *core::sharedPresetList().at(index);
    core::PresetInfo counted = preset;
    counted["countUsage"] = foundation::PlistValue(usageCount(preset) + 1);
    core::sharedPresetList().replaceAt(index, counted);
    savePresets();
    startProcessing(paths, preset);
}

void PresetListForIOS::startProcessing(const std::vector<std::string>& paths,
                                       const core::PresetInfo& preset) {
    if (paths.empty()) return;
    // Busy from here on, not one turn later, so a second drop in between cannot start a second job.
    btnDismissActivity->show();
    // The job runs from here on too, while its images are collected: leaving the tab or quitting
    // asks first, and a stop meanwhile starts nothing.
    if (activityVC_Embedded) {
        activityVC_Embedded->expectJob();
        if (activityDidStart) activityDidStart();
    }
    // A question asked while its images are collected names the run: its answer may stop it.
    std::shared_ptr<void> coming =
        screens::expectRequest({screens::WaitingRequest::Kind::PresetRun,
                                [] { return std::optional<std::size_t>(); }, core::presetName(preset)});
    appkit::postToMain(this, [this, paths, preset, coming] { beginActivity(paths, preset, coming); });
}

void PresetListForIOS::beginActivity(const std::vector<std::string>& paths, const core::PresetInfo& preset,
                                     std::shared_ptr<void> coming) {
    if (!activityVC_Embedded) {
        btnDismissActivity->hide();
        return;
    }
    btnDismissActivity->show();
    if (loadingIndicatorView) {
        loadingIndicatorView->show();
        tintLoadingIndicator();
        loadingIndicatorView->setUpAnimation();
        loadingIndicatorView->startAnimating();
    }
    std::vector<std::filesystem::path> urls(paths.begin(), paths.end());
    const void* const key = coming.get();
    // A new collection stops the one before it, whose run then never arrives.
    collectingRuns_.clear();
    collectingRuns_.push_back(std::move(coming));
    activityVC_Embedded->collectSourceFiles(
        {preset}, urls, std::nullopt, std::nullopt,
        [self = QPointer<PresetListForIOS>(this), preset, key](std::size_t found) {
            if (!self) return;
            // Arrived: from here on it is named as what it found.
            std::erase_if(self->collectingRuns_,
                          [key](const std::shared_ptr<void>& run) { return run.get() == key; });
            self->onActivityStarted(preset, found);
        });
}

void PresetListForIOS::onActivityStarted(const core::PresetInfo& preset, std::size_t found) {
    // A question or another modal is up (the quit question, say): the job starts once it has gone,
    // if it is still wanted then.
    if (screens::isModalUp()) {
        screens::whenNoModalIsUp(
            [self = QPointer<PresetListForIOS>(this), preset, found] {
                if (self) self->onActivityStarted(preset, found);
            },
            this,
            {screens::WaitingRequest::Kind::PresetRun, [found] { return found; }, core::presetName(preset)});
        return;
    }
    stopLoadingIndicator();
    // Gone, or stopped while its images were collected (its activity closed, the application quit).
    if (!activityVC_Embedded || !activityVC_Embedded->isActivityRunning()) {
        btnDismissActivity->hide();
        return;
    }
    activityVC_Embedded->resetForNewJob();
    showActivityPanel();
    core::JobParameters params;
    params.presets = {preset};
    // A drop that found no image runs on none (and says so), never on the list of the drop before.
    if (found > 0)
        for (const auto& record : core::sharedImageList().snapshot()) params.images.emplace_back(record);
    activityVC_Embedded->startJob(std::move(params));
}

void PresetListForIOS::tintLoadingIndicator() {
    if (!loadingIndicatorView) return;
    loadingIndicatorView->setColor(controls::interfacestyle::defaultTextColor());
    if (loadingIndicatorView->isAnimating() && loadingIndicatorView->isVisible())
        loadingIndicatorView->setUpAnimation();
}

void PresetListForIOS::stopLoadingIndicator() {
    if (!loadingIndicatorView) return;
    loadingIndicatorView->stopAnimating();
    loadingIndicatorView->hide();
}

void PresetListForIOS::showActivityPanel() {
    activityPanel_->show();
    appkit::AnimationContext::runAnimationGroup([this](appkit::AnimationContext&) {
        appkit::animator(*cnstActivityWidth).setConstant(kActivityPanelWidth);
        appkit::animator(*btnDismissActivity).setHidden(false);
    });
}

void PresetListForIOS::hideActivityPanel() {
    // A drop stopped while its files were collected never reaches its start: its spinner stops here.
    stopLoadingIndicator();
    appkit::AnimationContext::runAnimationGroup(
        [this](appkit::AnimationContext&) {
            appkit::animator(*cnstActivityWidth).setConstant(0);
            appkit::animator(*btnDismissActivity).setHidden(true);
        },
        [this] {
            // Closed, the panel is out of reach too: Tab never lands on a control of no width.
            if (cnstActivityWidth->constant() == 0 && btnDismissActivity->isHidden()) activityPanel_->hide();
            if (!intRowFromMenu) return;
            const auto row = presetProcessingNow;
            presetProcessingNow.reset();
            // Only a row still inside the list is touched; the view may be gone or show another preset.
            if (rowInList(row))
                if (PresetView* view = presetViewAt(*row)) view->clearHoverHighlight();
        },
        this);
}

void PresetListForIOS::confirmCloseActivity() {
    ::confirmCloseActivity(window(), activityVC_Embedded, this);
}

void PresetListForIOS::setEmbeddedActivityVC(ActivityVC* activity) {
    activityVC_Embedded = activity;
    if (activity)
        for (auto& then : std::exchange(untilActivityEmbedded_, {})) then();
}
