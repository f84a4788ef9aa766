#include "Platform/AppKit/Fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <algorithm>
#include <cmath>

namespace appkit {

namespace {
int pixels(double size) {
    return std::max(1, static_cast<int>(std::lround(std::isfinite(size) ? size : 13)));
}
}  // namespace

QFont systemFont(double size, QFont::Weight weight) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPixelSize(pixels(size));
    f.setWeight(weight);
    return f;
}

QFont font(const QString& family, double size, QFont::Weight weight) {
    QFont f = systemFont(size, weight);
    f.setFamilies({family, f.family()});
    return f;
}

}  // namespace appkit
