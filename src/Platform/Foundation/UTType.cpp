#include "Platform/Foundation/UTType.h"

#include <QMimeDatabase>
#include <QString>
#include <algorithm>

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
    UTType type(lineageOf(QMimeDatabase().mimeTypeForFile(QString::fromStdString(file.string()))));
    // The database knows most camera RAW files by name or by their first bytes, but a DNG, NEF or
    // ARW starts as any TIFF does: under another name only its directories tell.
    if (!type.conformsToCameraRaw()) {
        if (const auto raw = cameraRawTypeOfTiff(file)) return named(*raw);
    }
    return type;
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
