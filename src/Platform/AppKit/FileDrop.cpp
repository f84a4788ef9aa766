#include "Platform/AppKit/FileDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QUrl>

namespace appkit {

std::vector<std::string> filePaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        std::string path = url.toLocalFile().toStdString();
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        if (!path.empty()) paths.push_back(path);
    }
    return paths;
}

FileDropTarget::FileDropTarget(QWidget* target) : QObject(target) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            const auto paths = filePaths(drag->mimeData());
            const bool accept = draggingEntered ? draggingEntered(paths) : !paths.empty();
            inside_ = accept;
            if (accept) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (inside_) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::DragLeave:
            if (inside_ && draggingExited) draggingExited();
            inside_ = false;
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            inside_ = false;
            const auto paths = filePaths(drop->mimeData());
            const bool internal = drop->source() != nullptr;
            const bool taken = !paths.empty() && performDrop && performDrop(paths, internal);
            if (taken) {
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
            } else {
                drop->ignore();
            }
            if (draggingExited) draggingExited();
            return true;
        }
        default:
            return false;
    }
}

HoverTracker::HoverTracker(QWidget* target) : QObject(target) {
    target->setAttribute(Qt::WA_Hover);
    target->installEventFilter(this);
}

bool HoverTracker::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Enter && !inside_) {
        inside_ = true;
        if (mouseEntered) mouseEntered();
    } else if (event->type() == QEvent::Leave && inside_) {
        inside_ = false;
        if (mouseExited) mouseExited();
    }
    return false;
}

}  // namespace appkit
