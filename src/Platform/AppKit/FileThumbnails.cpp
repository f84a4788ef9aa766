#include "Platform/AppKit/FileThumbnails.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <algorithm>

#include "Platform/AppKit/ImageConversion.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Image/Thumbnail.h"

namespace appkit {

namespace {

// The request goes to Qt's thread pool and the thumbnail comes back through Qt's event queue.
const char kThumbnailHandOver = 0;

}  // namespace

QImage fileThumbnail(const QString& path, QSize size) {
    // The image pipeline's own thumbnail: it opens regular files only (a named pipe could hold a
    // worker for ever), reads the header first and refuses an image above the pixel bound before
    // decoding anything, then decodes no more than the thumbnail needs.
    const double side = std::max(size.width(), size.height());
    const auto small = image::thumbnail(QFile::encodeName(path).toStdString(), {side, side});
    return small ? toQImage(*small) : QImage();
}

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
        const QImage image = fileThumbnail(path, size);
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
