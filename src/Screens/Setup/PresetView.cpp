#include "Screens/Setup/PresetView.h"

#include "Screens/Setup/PresetCardLook.h"

#include "Controls/Box.h"
#include "Controls/SystemAppearance.h"
#include "Core/Records/PresetInfo.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/FileDrop.h"
#include "Platform/Graphics/SystemColors.h"
#include "Screens/Setup/CustomTableView.h"
#include "Screens/Setup/PresetListForIOS.h"

PresetView::PresetView(QWidget* parent)
    : appkit::View(parent), drop_(new appkit::FileDropTarget(this)), hover_(new appkit::HoverTracker(this)) {
    drop_->draggingEntered = [this](const std::vector<std::string>&) {
        if (!bIsDragActive || !canAcceptDrop()) return false;
        setDragBorder(true);
        return true;
    };
    drop_->draggingExited = [this] {
        if (bIsDragActive) setDragBorder(false);
    };
    drop_->performDrop = [this](const std::vector<std::string>& paths, const appkit::DropSource& source) {
        if (bIsDragActive) setDragBorder(false);
        if (!bIsDragActive || !canAcceptDrop()) return false;
        if (source.internal) return handleTableDrop(paths, source);
        return handleDrop(paths);
    };
    hover_->mouseEntered = [this] { showHoverHighlight(); };
    hover_->mouseExited = [this] { clearHoverHighlight(); };
}

PresetView::~PresetView() {
    // A view torn down under the pointer is sent a Leave: not to callbacks that read this view.
    delete hover_;
}

PresetListForIOS* PresetView::screen() const {
    return qobject_cast<PresetListForIOS*>(screen_);
}

void PresetView::servePreset(PresetListForIOS* screen, int row) {
    screen_ = screen;
    row_ = row;
}

bool PresetView::canAcceptDrop() const {
    if (!row_) return true;
    return screen() && !screen()->isBusy();
}

void PresetView::setDragBorder(bool on) {
    auto* host = appkit::LayerHost::of(parentWidget());
    if (!host) return;
    host->setWantsLayer(true);
    appkit::Layer* layer = host->layer();
    layer->borderColor = on ? std::optional(cg::system::blue()) : std::optional(cg::Color::clear());
    layer->borderWidth = on ? 2.0 : 0.0;
    if (on) layer->cornerRadius = 15.0;
    host->layerDidChange();
    // A card goes back to its own edge once the drag has left it.
    if (auto* card = qobject_cast<controls::Box*>(parentWidget()); card && !on) applyCardEdge(*card);
}

void PresetView::showHoverHighlight() {
    auto* box = qobject_cast<controls::Box*>(parentWidget());
    if (!screen() || !row_ || !box) return;
    const bool busy = screen()->isBusy() || screen()->isShowingSheet();
    if (!busy || screen()->isProcessingRow(*row_)) {
        const auto preset = core::sharedPresetList().at(static_cast<std::size_t>(*row_));
        if (preset) box->setFillColor(core::presetColorTag(*preset).withAlpha(0.3));
    }
}

void PresetView::clearHoverHighlight() {
    auto* box = qobject_cast<controls::Box*>(parentWidget());
    if (!screen() || !row_ || !box) return;
    const auto preset = core::sharedPresetList().at(static_cast<std::size_t>(*row_));
    // The preset whose job runs stays marked.
    if (preset && screen()->isProcessingRow(*row_))
        box->setFillColor(core::presetColorTag(*preset).withAlpha(0.3));
    else
        box->setFillColor(
            controls::SystemAppearance::controlBackgroundColor(controls::interfacestyle::current()));
}

bool PresetView::handleTableDrop(const std::vector<std::string>& paths, const appkit::DropSource& source) {
    // Of this application's own drags only a file table's rows run a preset.
    if (source.kind != CustomTableView::dragKind || paths.empty() || !screen() || !row_) return false;
    return screen()->runPresetOnTableFiles(*row_, paths);
}

bool PresetView::handleDrop(const std::vector<std::string>& paths) {
    if (paths.empty() || !screen() || !row_) return false;
    return screen()->dropOnPreset(*row_, paths, this);
}
