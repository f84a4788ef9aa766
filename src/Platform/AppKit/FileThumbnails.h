#pragma once
// FileThumbnails: small thumbnails for the image files a file browser shows. `icon` answers at once
// with the cached thumbnail or, while one is being made on a worker thread, with nothing; `ready`
// tells when a file's thumbnail has arrived. A file that is no readable image never gets one; only
// regular files are opened. Main thread only; the workers finish before the object is destroyed.

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QThreadPool>

namespace appkit {

// The thumbnail a row shows for the file at `path`, long side at most `size`'s, made now (it blocks:
// workers only). Null for a file that is no image read here, or one too large to be decoded at all.
QImage fileThumbnail(const QString& path, QSize size);

class FileThumbnails : public QObject {
    Q_OBJECT
  public:
    explicit FileThumbnails(QSize size, QObject* parent = nullptr);
    ~FileThumbnails() override;

    // The thumbnail of `path` when it is ready; a null icon otherwise (asking starts it).
    QIcon icon(const QString& path);

  Q_SIGNALS:
    void ready(const QString& path);

  private:
    void store(const QString& path, const QImage& image);

    QSize size_;
    QHash<QString, QIcon> made_;  // a null icon: the file is no image we can read
    QSet<QString> pending_;
    QThreadPool workers_;
};

}  // namespace appkit
