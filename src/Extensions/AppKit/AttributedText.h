#pragma once
// Attributed text: text with character attributes (font, colours, tool tip, link, underline,
// strike-through) and paragraph styles over ranges, held in a QTextDocument so that text views
// show it as it is. Ranges count UTF-16 code units, as QTextDocument positions do; a range that
// reaches past the text is cut to it. Members that return attributed text return a new document
// and never change their argument. Main thread only (documents may hold fonts).

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QUrl>
#include <memory>
#include <string_view>

#include "Platform/Foundation/TextRegex.h"

namespace attributed {

using AttributedText = std::unique_ptr<QTextDocument>;
using Range = foundation::Utf16Range;

// `text` with `format` over all of it.
AttributedText make(const QString& text, const QTextCharFormat& format = {});
AttributedText copy(const QTextDocument& text);
// The plain text, paragraphs separated by "\n".
QString string(const QTextDocument& text);

// Each adds one attribute over `range`; other attributes in the range stay.
void addAttributes(QTextDocument& text, const QTextCharFormat& attributes, Range range);
void addFont(QTextDocument& text, const QFont& font, Range range);
void addParagraphStyle(QTextDocument& text, const QTextBlockFormat& style, Range range);
void addForegroundColor(QTextDocument& text, const QColor& color, Range range);
void addBackgroundColor(QTextDocument& text, const QColor& color, Range range);
void addToolTip(QTextDocument& text, const QString& toolTip, Range range);
void highlight(QTextDocument& text, const QColor& background, const QColor& foreground, Range range);
void addLink(QTextDocument& text, const QUrl& link, Range range);

// A copy with `attributes` added over the whole text.
AttributedText applying(const QTextDocument& text, const QTextCharFormat& attributes);
AttributedText underlined(const QTextDocument& text);
AttributedText struckThrough(const QTextDocument& text);
AttributedText colored(const QTextDocument& text, const QColor& color);
// The attributes of the first character; empty for an empty text.
QTextCharFormat attributes(const QTextDocument& text);
// A copy with `attributes` added over every match of `pattern` (foundation::RegexOption bits); an
// unchanged copy when the pattern does not compile or nothing matches.
AttributedText applying(const QTextDocument& text, const QTextCharFormat& attributes,
                        std::string_view toRangesMatching, unsigned options = 0);
// The same for every literal occurrence of `toOccurrencesOf` ("a.b" marks "a.b", not "axb").
AttributedText applyingToOccurrences(const QTextDocument& text, const QTextCharFormat& attributes,
                                     std::string_view toOccurrencesOf);

// `left` followed by `right` (attributed, or plain text without attributes), as a new text.
AttributedText concatenated(const QTextDocument& left, const QTextDocument& right);
AttributedText concatenated(const QTextDocument& left, const QString& right);
void append(AttributedText& left, const QTextDocument& right);
void append(AttributedText& left, const QString& right);

// Text read from HTML (tags interpreted, scripts never run); an empty text when the HTML holds
// nothing readable.
AttributedText htmlAttributedString(std::string_view html);

}  // namespace attributed
