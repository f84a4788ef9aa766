#pragma once
// PresetView: the drop target of one preset cell. Files and folders dragged from a file manager, or
// rows dragged from a file table of this application, onto it run that preset on them through its
// screen; while the screen is busy starting or showing a job
// the drag is refused. It also paints the hover highlight in the preset's colour on the cell's box
// (its superview). Main thread only; a child of the cell's box.

#include <QPointer>
#include <optional>
#include <string>
#include <vector>

#include "Platform/AppKit/View.h"

namespace appkit {
struct DropSource;
class FileDropTarget;
class HoverTracker;
}  // namespace appkit

class PresetListForIOS;

class PresetView : public appkit::View {
    Q_OBJECT
  public:
    explicit PresetView(QWidget* parent = nullptr);
    ~PresetView() override;

    // The preset at `row` of the shared list on `screen`; without a screen the view serves nothing
    // (drags are taken, a drop does nothing).
    void servePreset(PresetListForIOS* screen, int row);
    std::optional<int> row() const { return row_; }

    bool bIsDragActive = true;

    bool canAcceptDrop() const;
    void showHoverHighlight();
    void clearHoverHighlight();
    // Runs the preset on the dropped paths: asks for the output folder when none is usable. Returns
    // whether the drop was taken.
    bool handleDrop(const std::vector<std::string>& paths);
    // A drag that started in this application: only a file table's rows are taken.
    bool handleTableDrop(const std::vector<std::string>& paths, const appkit::DropSource& source);

  private:
    void setDragBorder(bool on);
    // The screen while it is whole: one being torn down (its views go last) reads as none.
    PresetListForIOS* screen() const;

    QPointer<QObject> screen_;
    std::optional<int> row_;
    appkit::FileDropTarget* drop_ = nullptr;
    appkit::HoverTracker* hover_ = nullptr;
};
