#include "Platform/AppKit/SharingMenu.h"

#include <QProcess>
#include <QStandardPaths>

#include "Platform/AppKit/Pasteboard.h"
#include "Platform/AppKit/Workspace.h"

namespace appkit {

QStringList emailArguments(const std::vector<std::string>& paths) {
    QStringList args;
    for (const auto& path : paths) args << "--attach" << QString::fromStdString(path);
    return args;
}

QMenu* makeSharingMenu(const std::vector<std::string>& paths, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->addAction("Open in File Manager",
                    [paths] { Workspace::shared().activateFileViewerSelecting(paths); });
    menu->addAction("Copy File Paths", [paths] {
        std::string text;
        for (const auto& path : paths) text += (text.empty() ? "" : "\n") + path;
        Pasteboard::general().setString(text);
    });
    const QString mailer = QStandardPaths::findExecutable("xdg-email");
    QAction* email =
        menu->addAction("Email", [paths, mailer] { QProcess::startDetached(mailer, emailArguments(paths)); });
    email->setEnabled(!mailer.isEmpty() && !paths.empty());
    return menu;
}

void SharingPicker::showRelativeTo(QWidget* anchor) const {
    QMenu* menu = makeSharingMenu(paths_, anchor);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(anchor ? anchor->mapToGlobal(QPoint(0, anchor->height())) : QCursor::pos());
}

}  // namespace appkit
