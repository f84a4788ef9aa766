#include "Platform/AppKit/NamedImage.h"

namespace appkit {

QImage imageNamed(const std::string& name, const foundation::Bundle& bundle) {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    for (const char* ext : {"png", "jpg"}) {
        if (auto path = bundle.pathForResource(name, ext)) {
            QImage image(QString::fromStdString(path->string()));
            if (!image.isNull()) return image;
        }
    }
    return {};
}

}  // namespace appkit
