#include "Extensions/AppKit/TextViewHelpers.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace textview {
namespace {
QTextCharFormat fontOnly(const QFont& font) {
    QTextCharFormat f;
    f.setFont(font, QTextCharFormat::FontPropertiesAll);
    return f;
}
}  // namespace

QSizeF padding(const QTextEdit& view) {
    const QTextFrameFormat f = view.document()->rootFrame()->frameFormat();
    return {f.leftMargin(), f.topMargin()};
}

void setPadding(QTextEdit& view, QSizeF padding) {
    QTextFrame* root = view.document()->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    f.setLeftMargin(padding.width());
    f.setRightMargin(padding.width());
    f.setTopMargin(padding.height());
    f.setBottomMargin(padding.height());
    root->setFrameFormat(f);
}

void setTypingFont(QTextEdit& view, const QFont& font) {
    view.setCurrentCharFormat(fontOnly(font));
}

void setTypingFont(QTextEdit& view, const QFont& font, const QColor& color) {
    QTextCharFormat f = fontOnly(font);
    f.setForeground(color);
    view.setCurrentCharFormat(f);
}

void setSelectionFont(QTextEdit& view, const QFont& font) {
    const QTextCursor remembered = view.textCursor();
    QTextCursor taken = remembered;
    if (!remembered.hasSelection()) taken.select(QTextCursor::LineUnderCursor);
    if (!taken.hasSelection()) {
        view.setCurrentCharFormat(fontOnly(font));
        return;
    }
    taken.setCharFormat(fontOnly(font));
    view.setTextCursor(remembered);
}

void addTextAttributes(QTextEdit& view, const QTextCharFormat& attributes, attributed::Range range) {
    if (QTextDocument* document = view.document()) attributed::addAttributes(*document, attributes, range);
}

void applyForegroundColor(QTextEdit& view, const QColor& color, attributed::Range range) {
    if (QTextDocument* document = view.document()) attributed::addForegroundColor(*document, color, range);
}

}  // namespace textview
