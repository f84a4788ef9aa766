#include "Platform/AppKit/FileThumbnails.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "Platform/Dispatch/HandOver.h"

namespace appkit {

namespace {

// The request goes to Qt's thread pool and the thumbnail comes back through Qt's event queue.
const char kThumbnailHandOver = 0;

// Decodes straight to about the thumbnail's size where the format allows it (JPEG does), so a large
// photo costs little; orientation is applied so the thumbnail stands as the photo does.
QImage thumbnailOf(const QString& path, QSize size) {
    // A named pipe, socket or device is never opened: reading one can wait for ever, and the panel
    // waits for its workers when it closes.
    if (!QFileInfo(path).isFile()) return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid()) reader.setScaledSize(full.scaled(size * 2, Qt::KeepAspectRatio).boundedTo(full));
    QImage image = reader.read();
    if (image.isNull()) return {};
    return image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

FileThumbnails::FileThumbnails(QSize size, QObject* parent) : QObject(parent), size_(size) {
    // Two workers keep a large folder from crowding the machine; rows ask only as they are drawn.
    workers_.setMaxThreadCount(2);
}

FileThumbnails::~FileThumbnails() {
    workers_.clear();
    workers_.waitForDone();
}

QIcon FileThumbnails::icon(const QString& path) {
    if (const auto found = made_.constFind(path); found != made_.constEnd()) return *found;
    if (pending_.contains(path)) return {};
    pending_.insert(path);
    const QSize size = size_;
    dispatch::beforeHandOver(&kThumbnailHandOver);
    workers_.start([this, path, size] {
        dispatch::afterHandOver(&kThumbnailHandOver);
        const QImage image = thumbnailOf(path, size);
        dispatch::beforeHandOver(&kThumbnailHandOver);
        QMetaObject::invokeMethod(
            this,
            [this, path, image] {
                dispatch::afterHandOver(&kThumbnailHandOver);
                store(path, image);
            },
            Qt::QueuedConnection);
    });
    return {};
}

void FileThumbnails::store(const QString& path, const QImage& image) {
    pending_.remove(path);
    made_.insert(path, image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
    if (!image.isNull()) Q_EMIT ready(path);
}

}  // namespace appkit
