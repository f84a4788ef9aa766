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

class FileDropTarget : public QObject {
    Q_OBJECT
  public:
    explicit FileDropTarget(QWidget* target);

    // Whether to accept a drag carrying these paths (default: any non-empty list).
    std::function<bool(const std::vector<std::string>& paths)> draggingEntered;
    std::function<void()> draggingExited;
    // The drop; `internal` when the drag started in this application. Returns whether it was taken.
    std::function<bool(const std::vector<std::string>& paths, bool internal)> performDrop;

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
