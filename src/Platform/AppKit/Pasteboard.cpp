#include "Platform/AppKit/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include "Platform/AppKit/FileDrop.h"

namespace appkit {

Pasteboard& Pasteboard::general() {
    static Pasteboard pasteboard;
    return pasteboard;
}

void Pasteboard::clearContents() {
    QGuiApplication::clipboard()->clear();
}

void Pasteboard::setString(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

std::string Pasteboard::string() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void Pasteboard::writeFileURLs(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    QStringList lines;
    for (const auto& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
        lines << QString::fromStdString(path);
    }
    data->setUrls(urls);
    data->setText(lines.join('\n'));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::vector<std::string> Pasteboard::fileURLs() const {
    return filePaths(QGuiApplication::clipboard()->mimeData());
}

}  // namespace appkit
