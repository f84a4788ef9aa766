#pragma once
// ResultsPreview: what the preview panel shows for the results of one preset: the written files in
// the order the results grid shows them, opened at the one the user picked. Main thread only.

#include <string>
#include <vector>

#include "Platform/QuickLook/PreviewPanel.h"

class ResultsPreview : public quicklook::PreviewPanelDataSource, public quicklook::PreviewPanelController {
  public:
    // Shows `paths` in the shared panel, starting at `currentIndex`.
    void show(std::vector<std::string> paths, int currentIndex);

    int numberOfPreviewItems(quicklook::PreviewPanel&) override { return static_cast<int>(paths_.size()); }
    std::optional<std::string> previewItemAt(quicklook::PreviewPanel&, int index) override;
    void beginPreviewPanelControl(quicklook::PreviewPanel& panel) override;
    void endPreviewPanelControl(quicklook::PreviewPanel& panel) override;

  private:
    std::vector<std::string> paths_;
    int current_ = 0;
};
