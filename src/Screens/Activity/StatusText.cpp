#include "Screens/Activity/StatusText.h"

QString statusTextHtml(const std::string& value, const std::string& unit, const QPalette& palette) {
    const QColor label = palette.color(QPalette::WindowText);
    QColor secondary = label;
    secondary.setAlphaF(0.55f);
    return QString(
               "<span style=\"font-size:22px; font-weight:700; color:%1\">%2</span> "
               "<span style=\"font-size:12px; font-weight:500; color:%3\">%4</span>")
        .arg(label.name(QColor::HexArgb), QString::fromStdString(value).toHtmlEscaped(),
             secondary.name(QColor::HexArgb), QString::fromStdString(unit).toHtmlEscaped());
}
