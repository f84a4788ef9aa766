#pragma once
// Synthetic interface events for screen tests: dropping file URLs onto a widget, as a drag from
// another application would.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

namespace testsupport {

struct DropResult {
    bool enterAccepted = false;
    bool dropAccepted = false;
};

// Drags `paths` (as file URLs; a trailing "/" is kept as given) onto `target` at `at` and drops them.
inline DropResult dropData(QWidget* target, const QMimeData& data, QPoint at = {5, 5}) {
    DropResult result;
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    result.enterAccepted = enter.isAccepted();
    if (!result.enterAccepted) return result;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    result.dropAccepted = drop.isAccepted();
    return result;
}

inline DropResult dropFiles(QWidget* target, const std::vector<std::string>& paths, QPoint at = {5, 5}) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& path : paths) urls << QUrl("file://" + QString::fromStdString(path));
    data.setUrls(urls);
    return dropData(target, data, at);
}

}  // namespace testsupport
