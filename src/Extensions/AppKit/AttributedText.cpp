#include "Extensions/AppKit/AttributedText.h"

#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>
#include <string>

namespace attributed {
namespace {

// A cursor selecting `range` cut to the document; absent when nothing of it lies in the text.
std::optional<QTextCursor> selecting(QTextDocument& text, Range range) {
    const auto length = static_cast<std::size_t>(std::max(0, text.characterCount() - 1));
    const std::size_t from = std::min(range.location, length);
    const std::size_t to = std::min(range.location + std::min(range.length, length), length);
    if (to <= from) return std::nullopt;
    QTextCursor cursor(&text);
    cursor.setPosition(static_cast<int>(from));
    cursor.setPosition(static_cast<int>(to), QTextCursor::KeepAnchor);
    return cursor;
}

Range whole(const QTextDocument& text) {
    return {0, static_cast<std::size_t>(std::max(0, text.characterCount() - 1))};
}

AttributedText applyingToRanges(const QTextDocument& text, const QTextCharFormat& attributes,
                                const std::optional<foundation::Regex>& regex) {
    AttributedText out = copy(text);
    if (!regex) return out;
    const QString plain = string(text);
    const std::u16string_view utf16(reinterpret_cast<const char16_t*>(plain.utf16()),
                                    static_cast<std::size_t>(plain.size()));
    for (const Range& r : regex->matchRanges(utf16)) addAttributes(*out, attributes, r);
    return out;
}

}  // namespace

AttributedText make(const QString& text, const QTextCharFormat& format) {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    cursor.insertText(text, format);
    return document;
}

AttributedText copy(const QTextDocument& text) {
    return AttributedText(text.clone());
}

QString string(const QTextDocument& text) {
    return text.toPlainText();
}

void addAttributes(QTextDocument& text, const QTextCharFormat& attributes, Range range) {
    if (auto cursor = selecting(text, range)) cursor->mergeCharFormat(attributes);
}

void addFont(QTextDocument& text, const QFont& font, Range range) {
    QTextCharFormat f;
    f.setFont(font, QTextCharFormat::FontPropertiesAll);
    addAttributes(text, f, range);
}

void addParagraphStyle(QTextDocument& text, const QTextBlockFormat& style, Range range) {
    if (auto cursor = selecting(text, range)) cursor->mergeBlockFormat(style);
}

void addForegroundColor(QTextDocument& text, const QColor& color, Range range) {
    QTextCharFormat f;
    f.setForeground(color);
    addAttributes(text, f, range);
}

void addBackgroundColor(QTextDocument& text, const QColor& color, Range range) {
    QTextCharFormat f;
    f.setBackground(color);
    addAttributes(text, f, range);
}

void addToolTip(QTextDocument& text, const QString& toolTip, Range range) {
    QTextCharFormat f;
    f.setToolTip(toolTip);
    addAttributes(text, f, range);
}

void highlight(QTextDocument& text, const QColor& background, const QColor& foreground, Range range) {
    QTextCharFormat f;
    f.setBackground(background);
    f.setForeground(foreground);
    addAttributes(text, f, range);
}

void addLink(QTextDocument& text, const QUrl& link, Range range) {
    QTextCharFormat f;
    f.setAnchor(true);
    f.setAnchorHref(link.toString());
    addAttributes(text, f, range);
}

AttributedText applying(const QTextDocument& text, const QTextCharFormat& attributes) {
    AttributedText out = copy(text);
    addAttributes(*out, attributes, whole(*out));
    return out;
}

AttributedText underlined(const QTextDocument& text) {
    QTextCharFormat f;
    f.setFontUnderline(true);
    return applying(text, f);
}

AttributedText struckThrough(const QTextDocument& text) {
    QTextCharFormat f;
    f.setFontStrikeOut(true);
    return applying(text, f);
}

AttributedText colored(const QTextDocument& text, const QColor& color) {
    QTextCharFormat f;
    f.setForeground(color);
    return applying(text, f);
}

QTextCharFormat attributes(const QTextDocument& text) {
    if (text.isEmpty()) return {};
    QTextCursor cursor(const_cast<QTextDocument*>(&text));
    cursor.setPosition(1);
    return cursor.charFormat();
}

AttributedText applying(const QTextDocument& text, const QTextCharFormat& attributes,
                        std::string_view toRangesMatching, unsigned options) {
    return applyingToRanges(text, attributes, foundation::Regex::make(toRangesMatching, options));
}

AttributedText applyingToOccurrences(const QTextDocument& text, const QTextCharFormat& attributes,
                                     std::string_view toOccurrencesOf) {
    return applyingToRanges(text, attributes,
                            foundation::Regex::make(toOccurrencesOf, foundation::RegexIgnoreMetacharacters));
}

AttributedText concatenated(const QTextDocument& left, const QTextDocument& right) {
    AttributedText out = copy(left);
    append(out, right);
    return out;
}

AttributedText concatenated(const QTextDocument& left, const QString& right) {
    AttributedText out = copy(left);
    append(out, right);
    return out;
}

void append(AttributedText& left, const QTextDocument& right) {
    QTextCursor cursor(left.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertFragment(QTextDocumentFragment(&right));
}

void append(AttributedText& left, const QString& right) {
    QTextCursor cursor(left.get());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(right, QTextCharFormat());
}

AttributedText htmlAttributedString(std::string_view html) {
    auto document = std::make_unique<QTextDocument>();
    document->setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
    return document;
}

}  // namespace attributed
