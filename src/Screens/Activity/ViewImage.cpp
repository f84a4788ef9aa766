#include "Screens/Activity/ViewImage.h"

#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QUrl>

#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/AppKit/NamedImage.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Image/Thumbnail.h"

namespace screens {
namespace {

// The most a picture or a page read for a view may hold.
constexpr double kLargestSide = 4096;
constexpr qint64 kLargestPage = 2 * 1024 * 1024;

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

QImage readPicture(const QString& path) {
    if (path.isEmpty()) return {};
    const auto picture = image::thumbnail(path.toStdString(), {kLargestSide, kLargestSide});
    return picture ? appkit::toQImage(*picture) : QImage();
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
        std::string pictureAddress = address;
        if (fromPage) {
            QFile page(localPath(address));
            if (!page.open(QIODevice::ReadOnly)) return;
            pictureAddress = webPageImageURL(page.read(kLargestPage).toStdString(), address);
        }
        QImage picture = readPicture(localPath(pictureAddress));
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

std::string ViewImage::webPageImageURL(const std::string& page, const std::string& pageAddress) {
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\s+[^>]*(?:property|name)\s*=\s*["'](?:og:image|twitter:image)["'][^>]*>)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression content(QStringLiteral(R"(content\s*=\s*["']([^"']*)["'])"),
                                            QRegularExpression::CaseInsensitiveOption);
    const auto tag = meta.match(QString::fromStdString(page));
    if (!tag.hasMatch()) return {};
    const auto value = content.match(tag.captured(0));
    if (!value.hasMatch() || value.captured(1).trimmed().isEmpty()) return {};
    QUrl base(QString::fromStdString(pageAddress));
    if (pageAddress.starts_with('/')) base = QUrl::fromLocalFile(QString::fromStdString(pageAddress));
    return base.resolved(QUrl(value.captured(1).trimmed())).toString().toStdString();
}

}  // namespace screens
