#include "Platform/Foundation/UTType.h"

#include <QMimeDatabase>
#include <QString>
#include <algorithm>

#include "Platform/Foundation/ImageSignature.h"
#include "Platform/Foundation/TiffCameraRaw.h"

namespace foundation {

namespace {

std::vector<std::string> lineageOf(const QMimeType& type) {
    std::vector<std::string> lineage{type.name().toStdString()};
    for (const QString& ancestor : type.allAncestors()) lineage.push_back(ancestor.toStdString());
    return lineage;
}

}  // namespace

UTType UTType::ofFile(const std::filesystem::path& file) {
    // The database names a named pipe, socket or device by its kind ("inode/fifo") without opening it.
    UTType type(lineageOf(QMimeDatabase().mimeTypeForFile(QString::fromStdString(file.string()))));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return type;
    const auto tiff = typeOfTiff(file);
    if (type.conformsToCameraRaw()) {
        // A RAW name alone does not make a RAW file: a JPEG, a PNG or a TIFF without a camera's sensor
        // data saved under one is what it is.
        if (const auto image = signedImageType(file)) return named(*image);
        if (tiff == "image/tiff") return named(*tiff);
        return type;
    }
    // The database knows most camera RAW files by name, but a DNG, CR2, NEF or ARW starts as any
    // TIFF does: under another name only its header and directories tell.
    if (tiff && tiff != "image/tiff") return named(*tiff);
    return type;
}

UTType UTType::ofFileName(const std::filesystem::path& file) {
    return UTType(lineageOf(QMimeDatabase().mimeTypeForFile(QString::fromStdString(file.string()),
                                                            QMimeDatabase::MatchExtension)));
}

UTType UTType::named(const std::string& identifier) {
    return UTType(lineageOf(QMimeDatabase().mimeTypeForName(QString::fromStdString(identifier))));
}

bool UTType::conformsToImage() const {
    return std::any_of(lineage_.begin(), lineage_.end(),
                       [](const std::string& type) { return type.starts_with("image/"); });
}

bool UTType::conformsToCameraRaw() const {
    return std::find(lineage_.begin(), lineage_.end(), "image/x-dcraw") != lineage_.end();
}

}  // namespace foundation
