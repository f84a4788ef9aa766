#pragma once
// SourceURLInfo: one image file of the list, as a plain value. Copies are independent, so a job
// works on the records as they were when it started and may hand them between threads; a record is
// changed only by the thread that holds it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Core/Records/LazyThumbnail.h"
#include "Platform/Foundation/PlistValue.h"
#include "Platform/Foundation/UUID.h"
#include "Platform/Image/ImageInfo.h"

namespace core {

struct SourceURLInfo {
    std::string strRootPath;      // the added or dropped folder the file was found in
    std::string strRelativePath;  // the file's folder relative to strRootPath
    std::string strFullPath;
    std::string strFileName;   // with its extension
    std::string creationDate;  // display text
    std::string modifiedDate;  // display text
    std::string dimension;     // "6000 x 4000", from the file's header
    std::string width;         // "6000", from the file's header
    std::string height;        // "4000", from the file's header
    std::string resolution;
    std::string fileSize;  // display text
    std::string fileVersion;
    std::optional<std::filesystem::path> url;
    std::optional<foundation::Data> bookmarkData;     // resolved before the file is read
    std::optional<std::filesystem::path> updatedUrl;  // the file's path under its new name
    std::uint64_t fileSizeValue = 0;
    std::string strFinalOutputFilePath;
    foundation::UUID id;
    std::optional<LazyThumbnail> objThumbImage;  // at most 200 x 200; absent for a file that is no image
    std::optional<bool> bStatus;

    // Fills the record from the file at `url`: path, name, bookmark, pixel dimensions and thumbnail
    // (both emptied when the header does not read as a loadable image) and, from the file's attributes, size
    // and dates (left as they were when the attributes cannot be read). Reads headers and
    // attributes only: no pixel is decoded until the thumbnail is first asked for.
    void fillFileDetails(const std::filesystem::path& url);
    // The same, with the header the caller has already read (absent: the file is no image).
    void fillFileDetails(const std::filesystem::path& url, const std::optional<image::ImageInfo>& header);

    // A copy whose strFileName is "<baseName>-<index>.<old extension>" ("trip-3." when the old name
    // has no extension), made safe as a file name.
    SourceURLInfo renamedCopy(std::string_view baseName, std::int64_t index) const;

    // One line naming the record, for diagnostics.
    std::string debugDescription() const;
};

}  // namespace core
