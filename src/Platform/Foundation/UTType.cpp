#include "Platform/Foundation/UTType.h"

#include <QMimeDatabase>
#include <QString>
#include <algorithm>

namespace foundation {

UTType UTType::ofFile(const std::filesystem::path& file) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromStdString(file.string()));
    std::vector<std::string> lineage{type.name().toStdString()};
    for (const QString& ancestor : type.allAncestors()) lineage.push_back(ancestor.toStdString());
    return UTType(std::move(lineage));
}

bool UTType::conformsToImage() const {
    return std::any_of(lineage_.begin(), lineage_.end(),
                       [](const std::string& type) { return type.starts_with("image/"); });
}

}  // namespace foundation
