#include "Platform/AppKit/OpenPanelFiles.h"

#include <QDir>
#include <QImageReader>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

namespace appkit::openpanel {

namespace {

// Whether the file's name says it is an image Qt can read, so only those are sent to be thumbnailed.
bool looksLikeImage(const QFileInfo& file) {
    static const QSet<QString> suffixes = [] {
        QSet<QString> found;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            found.insert(QString::fromLatin1(format).toLower());
        return found;
    }();
    return suffixes.contains(file.suffix().toLower());
}

}  // namespace

std::vector<std::pair<QString, QString>> places() {
    std::vector<std::pair<QString, QString>> found = {{"Home", QDir::homePath()}};
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir() && pictures != QDir::homePath())
        found.emplace_back("Pictures", pictures);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        const bool removable = root.startsWith("/media/") || root.startsWith("/run/media/");
        if (!volume.isValid() || !volume.isReady() || !removable) continue;
        found.emplace_back(volume.displayName(), root);
    }
    found.emplace_back("Computer", "/");
    return found;
}

QString defaultFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

ThumbnailFileModel::ThumbnailFileModel() : thumbnails_(QSize(48, 48)) {
    connect(&thumbnails_, &FileThumbnails::ready, this, [this](const QString& path) {
        const QModelIndex at = index(path);
        if (at.isValid()) Q_EMIT dataChanged(at, at, {Qt::DecorationRole});
    });
}

QVariant ThumbnailFileModel::data(const QModelIndex& at, int role) const {
    if (role == Qt::DecorationRole && at.column() == 0 && !isDir(at) && looksLikeImage(fileInfo(at))) {
        const QIcon thumbnail = thumbnails_.icon(filePath(at));
        if (!thumbnail.isNull()) return thumbnail;
    }
    QVariant value = QFileSystemModel::data(at, role);
    // Until the model has looked an entry up it has no icon; a generic one keeps the rows even.
    if (role == Qt::DecorationRole && at.column() == 0 && value.value<QIcon>().isNull())
        value = icons_.icon(isDir(at) ? QFileIconProvider::Folder : QFileIconProvider::File);
    return value;
}

}  // namespace appkit::openpanel
