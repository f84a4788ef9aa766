#include "App/ResultsPreview.h"

void ResultsPreview::show(std::vector<std::string> paths, int currentIndex) {
    if (paths.empty()) return;
    paths_ = std::move(paths);
    current_ = std::clamp(currentIndex, 0, static_cast<int>(paths_.size()) - 1);
    auto& panel = quicklook::PreviewPanel::shared();
    if (panel.isShown()) {
        // Another source may hold the panel: this one takes it over.
        panel.orderOut();
    }
    panel.makeKeyAndOrderFront(this);
}

std::optional<std::string> ResultsPreview::previewItemAt(quicklook::PreviewPanel&, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= paths_.size()) return std::nullopt;
    return paths_[static_cast<std::size_t>(index)];
}

void ResultsPreview::beginPreviewPanelControl(quicklook::PreviewPanel& panel) {
    panel.setDataSource(this);
    panel.setDelegate(nullptr);
    panel.setCurrentPreviewItemIndex(current_);
}

void ResultsPreview::endPreviewPanelControl(quicklook::PreviewPanel& panel) {
    if (panel.dataSource() == this) panel.setDataSource(nullptr);
}
