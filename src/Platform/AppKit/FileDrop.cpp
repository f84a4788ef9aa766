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

namespace {

constexpr char kDragKindFormat[] = "application/x-vorta-drag-kind";

DropSource dropSource(const QDropEvent& drop) {
    DropSource source;
    const QMimeData* data = drop.mimeData();
    if (data && data->hasFormat(kDragKindFormat)) {
        source.internal = true;
        source.kind = QString::fromUtf8(data->data(kDragKindFormat)).toStdString();
    }
    if (drop.source()) source.internal = true;
    return source;
}

}  // namespace

QMimeData* makeFileDragData(const std::vector<std::string>& paths, const std::string& kind) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const auto& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data->setUrls(urls);
    data->setData(kDragKindFormat, QByteArray::fromStdString(kind));
    return data;
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
            const bool taken = !paths.empty() && performDrop && performDrop(paths, dropSource(*drop));
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
