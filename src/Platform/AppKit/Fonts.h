#pragma once
// The system font at a size in points. One point is one logical pixel, so sizes are pixel sizes;
// the family falls back through fontconfig when the named one is missing. Main thread only.

#include <QFont>

namespace appkit {

QFont systemFont(double size, QFont::Weight weight = QFont::Normal);
inline QFont boldSystemFont(double size) {
    return systemFont(size, QFont::Bold);
}
// A named family at a size in points (pixels), falling back to the system font's family.
QFont font(const QString& family, double size, QFont::Weight weight = QFont::Normal);

}  // namespace appkit
