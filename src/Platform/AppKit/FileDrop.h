#pragma once
// Drag and drop of file URLs onto a widget, and hover tracking. A FileDropTarget accepts drags
// that carry local files, tells its owner when a drag enters, leaves and drops, and hands over the
// dropped files as paths (folders included, without a trailing slash). Main thread only; both are
// children of the widget they watch.

#include <QMimeData>
#include <QObject>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace appkit {

// The local file paths a drag carries, in order; folders keep no trailing slash.
std::vector<std::string> filePaths(const QMimeData* data);

// Where a drop comes from: another application, or a view of this one. Drags that this
// application starts name their kind, so a target can take only the kinds it knows.
struct DropSource {
    bool internal = false;
    std::string kind;  // empty for drags from elsewhere or of no named kind
};

// The data of a drag of local files started by a view of this application, of the given kind.
QMimeData* makeFileDragData(const std::vector<std::string>& paths, const std::string& kind);

class FileDropTarget : public QObject {
    Q_OBJECT
  public:
    explicit FileDropTarget(QWidget* target);

    // Whether to accept a drag carrying these paths (default: any non-empty list).
    std::function<bool(const std::vector<std::string>& paths)> draggingEntered;
    std::function<void()> draggingExited;
    // The drop and where it came from. Returns whether it was taken.
    std::function<bool(const std::vector<std::string>& paths, const DropSource& source)> performDrop;

    bool isDragInside() const { return inside_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inside_ = false;
};

class HoverTracker : public QObject {
    Q_OBJECT
  public:
    explicit HoverTracker(QWidget* target);
    std::function<void()> mouseEntered;
    std::function<void()> mouseExited;
    bool isInside() const { return inside_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool inside_ = false;
};

}  // namespace appkit
