#pragma once
// What the open panel lists: the file system with image files shown as small thumbnails of
// themselves, the places a user looks for photos in, and the folder a panel opens in when its caller
// names none. Main thread only; the thumbnails are made off the main thread (FileThumbnails).

#include <QFileIconProvider>
#include <QFileSystemModel>
#include <QString>
#include <utility>
#include <vector>

#include "Platform/AppKit/FileThumbnails.h"

namespace appkit::openpanel {

// Home, Pictures, the volumes the desktop mounted (cards, sticks) and the whole computer, as
// (name, folder) pairs in that order.
std::vector<std::pair<QString, QString>> places();

// Pictures when there is one, else home.
QString defaultFolder();

class ThumbnailFileModel : public QFileSystemModel {
  public:
    ThumbnailFileModel();
    QVariant data(const QModelIndex& at, int role) const override;

  private:
    mutable FileThumbnails thumbnails_;
    QFileIconProvider icons_;
};

}  // namespace appkit::openpanel
