#include "Core/Records/SourceURLInfo.h"

#include "Core/Rename/FileName.h"
#include "Core/Rename/SafeName.h"
#include "Platform/Foundation/Bookmark.h"
#include "Platform/Foundation/FileAttributes.h"
#include "Platform/Foundation/Formatters.h"
#include "Platform/Image/ImageInfo.h"

namespace core {
namespace {

constexpr int kThumbnailPixelSize = 200;

}  // namespace

void SourceURLInfo::fillFileDetails(const std::filesystem::path& fileUrl) {
    fillFileDetails(fileUrl, image::readImageInfo(fileUrl));
}

void SourceURLInfo::fillFileDetails(const std::filesystem::path& fileUrl,
                                    const std::optional<image::ImageInfo>& header) {
    strFullPath = fileUrl.string();
    strFileName = fileUrl.filename().string();
    url = fileUrl;
    bookmarkData = foundation::bookmarkData(fileUrl);
    if (header && header->isLoadable()) {
        width = std::to_string(header->pixelWidth);
        height = std::to_string(header->pixelHeight);
        dimension = width + " x " + height;
        objThumbImage.emplace(fileUrl, kThumbnailPixelSize);
    } else {
        width = height = dimension = "";
        objThumbImage.reset();
    }

    const auto attributes = foundation::attributesOfItem(fileUrl);
    if (!attributes) return;
    const foundation::Date now = foundation::Date::now();
    fileSizeValue = attributes->size;
    fileSize = foundation::formatByteCount(attributes->size);
    creationDate = foundation::formatMediumDateTime(attributes->creationDate.value_or(now));
    modifiedDate = foundation::formatMediumDateTime(attributes->modificationDate.value_or(now));
}

SourceURLInfo SourceURLInfo::renamedCopy(std::string_view baseName, std::int64_t index) const {
    SourceURLInfo copy = *this;
    const std::string name =
        std::string(baseName) + "-" + std::to_string(index) + "." + splitFileName(strFileName).extension;
    copy.strFileName = safePathComponent(name, strFileName);
    return copy;
}

std::string SourceURLInfo::debugDescription() const {
    return "SourceURLInfo(strFullPath: \"" + strFullPath + "\", strFileName: \"" + strFileName +
           "\", bookmarkData: " + (bookmarkData ? std::to_string(bookmarkData->size()) + " bytes" : "nil") +
           ", id: " + id.uuidString() + ")";
}

}  // namespace core
