#include "Extensions/AppKit/StringAttributes.h"

#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/Pasteboard.h"

namespace str {
namespace {

constexpr double kSystemFontSize = 13.0;

QString qString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

attributed::AttributedText bold(std::string_view s) {
    QTextCharFormat f;
    f.setFont(appkit::boldSystemFont(kSystemFontSize), QTextCharFormat::FontPropertiesAll);
    return attributed::make(qString(s), f);
}

attributed::AttributedText underlined(std::string_view s) {
    return attributed::underlined(*attributed::make(qString(s)));
}

attributed::AttributedText struckThrough(std::string_view s) {
    return attributed::struckThrough(*attributed::make(qString(s)));
}

attributed::AttributedText colored(std::string_view s, const QColor& with) {
    return attributed::colored(*attributed::make(qString(s)), with);
}

void copyToPasteboard(std::string_view s) {
    appkit::Pasteboard& pasteboard = appkit::Pasteboard::general();
    pasteboard.clearContents();
    pasteboard.setString(std::string(s));
}

}  // namespace str
