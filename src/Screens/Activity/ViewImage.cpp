#include "Screens/Activity/ViewImage.h"

#include <QPointer>
#include <QUrl>

#include "Extensions/TextWebPage.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/AppKit/NamedImage.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Foundation/WebFetch.h"
#include "Platform/Image/Thumbnail.h"

namespace screens {
namespace {

// The most a picture read for a view may hold.
constexpr double kLargestSide = 4096;
constexpr std::size_t kLargestDownload = 32 * 1024 * 1024;

// "value" or "value|gravity".
std::pair<std::string, std::optional<std::string>> splitGravity(const std::string& value) {
    const auto bar = value.find('|');
    if (bar == std::string::npos) return {value, std::nullopt};
    const auto second = value.find('|', bar + 1);
    return {value.substr(0, bar),
            value.substr(bar + 1, second == std::string::npos ? std::string::npos : second - bar - 1)};
}

// A local file's path for an address: file:// addresses and absolute paths; empty otherwise.
QString localPath(const std::string& address) {
    const QString text = QString::fromStdString(address);
    if (text.startsWith('/')) return text;
    const QUrl url(text);
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

// A picture at a file or web address, no larger than a view can show. Blocks: workers only.
QImage readPicture(const std::string& address) {
    if (const QString path = localPath(address); !path.isEmpty()) {
        const auto picture = image::thumbnail(path.toStdString(), {kLargestSide, kLargestSide});
        return picture ? appkit::toQImage(*picture) : QImage();
    }
    const QString scheme = QUrl(QString::fromStdString(address)).scheme();
    if (scheme != "http" && scheme != "https") return {};
    const auto fetched = foundation::CurlWebFetcher().fetch(address, {10.0, kLargestDownload});
    QImage picture;
    if (!fetched || !picture.loadFromData(QByteArray::fromStdString(fetched->bytes))) return {};
    if (picture.width() > kLargestSide || picture.height() > kLargestSide)
        picture = picture.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return picture;
}

}  // namespace

void ViewImage::setImageFill(std::optional<QImage> image) {
    imageFill_ = std::move(image);
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    setContents(imageFill_.value_or(QImage()));
}

void ViewImage::setImageFillResized(std::optional<QImage> image) {
    imageFillResized_ = std::move(image);
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    setContents(imageFillResized_ ? coverCopy(*imageFillResized_, QSizeF(size())) : QImage());
}

void ViewImage::setImagePos(std::optional<std::string> value) {
    imagePos_ = std::move(value);
    if (!imagePos_) return;
    const auto [name, gravity] = splitGravity(*imagePos_);
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    if (gravity) setContentsGravityNamed(*gravity);
    setContents(appkit::imageNamed(name));
}

void ViewImage::setImageUrl(std::optional<std::string> value) {
    imageUrl_ = std::move(value);
    const unsigned generation = ++generation_;
    appkit::postToMainAfter(this, 0.1, [this, generation] {
        if (generation != generation_ || !imageUrl_) return;
        const auto [address, gravity] = splitGravity(*imageUrl_);
        loadInBackground(address, gravity, false);
    });
}

void ViewImage::setImageWeb(std::optional<std::string> value) {
    imageWeb_ = std::move(value);
    ++generation_;
    if (imageWeb_) loadInBackground(*imageWeb_, std::nullopt, true);
}

void ViewImage::loadInBackground(const std::string& address, std::optional<std::string> gravity,
                                 bool fromPage) {
    QPointer<ViewImage> self(this);
    const unsigned generation = generation_;
    dispatch::Queue::global().async([self, generation, address, gravity, fromPage] {
        // A page names its preview image; a page that names none gives its own address, which reads
        // as no picture.
        const std::string pictureAddress = fromPage ? text::webPageImageURL(address) : address;
        QImage picture = readPicture(pictureAddress);
        if (picture.isNull()) return;
        dispatch::Queue::main().async([self, generation, picture = std::move(picture), gravity] {
            if (self) self->takeLoaded(generation, picture, gravity);
        });
    });
}

void ViewImage::takeLoaded(unsigned generation, const QImage& image,
                           const std::optional<std::string>& gravity) {
    if (generation != generation_) return;
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    if (gravity) setContentsGravityNamed(*gravity);
    setContents(image);
}

}  // namespace screens
