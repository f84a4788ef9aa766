#include "Controls/TaggableTextField.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "Controls/TagChip.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {
constexpr double kLineFragmentPadding = 2;
}

cg::Color TaggableTextField::selectedKnobColor() {
    return cg::Color::white(0, 0.5);
}

void TaggableTextField::setAttributedStringValue(const QString& text, std::vector<TaggedRun> runs) {
    const int size = static_cast<int>(text.size());
    for (auto& run : runs) {
        run.location = std::clamp(run.location, 0, size);
        run.length = std::clamp(run.length, 0, size - run.location);
    }
    runs_ = std::move(runs);
    setText(text);
    update();
}

void TaggableTextField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (auto it = runs_.rbegin(); it != runs_.rend(); ++it)
        if (it->tag && it->length > 0) drawChip(painter, *it);
}

void TaggableTextField::drawChip(QPainter& painter, const TaggedRun& run) {
    // A run without a font of its own is laid out and drawn in the field's font.
    const QFont runFont = run.font.value_or(font());
    QTextLayout layout(text(), runFont);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setLineWidth(width());
    layout.endLayout();
    // Character positions, not glyph indexes, so combining marks and surrogate pairs place right.
    const double start = line.cursorToX(run.location);
    const double end = line.cursorToX(run.location + run.length);
    const QMargins margins = textMargins();
    const cg::Rect runRect(margins.left() + kLineFragmentPadding + start, margins.top() + line.y(),
                           end - start, line.height());
    const TagChip chip = TagChip::forRun(runRect, hasFrame(), QFontMetricsF(runFont).horizontalAdvance("A"));

    painter.save();
    const QRectF chipRect(chip.chip.origin.x, chip.chip.origin.y, chip.chip.size.width,
                          chip.chip.size.height);
    QPainterPath rounded;
    rounded.addRoundedRect(chipRect, chip.cornerRadius, chip.cornerRadius);
    painter.setClipPath(rounded, Qt::IntersectClip);
    painter.fillRect(chipRect, appkit::toQColor(run.background.value_or(selectedKnobColor())));
    const QColor outline = appkit::toQColor(run.border.value_or(cg::Color::clear()));
    painter.setPen(QPen(outline, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rounded.translated(0.5, 0.5));
    painter.drawPath(rounded.translated(-0.5, -0.5));
    painter.setFont(runFont);
    painter.setPen(appkit::toQColor(run.foreground.value_or(selectedKnobColor())));
    const QRectF textRect(chip.text.origin.x, chip.text.origin.y, chip.text.size.width,
                          chip.text.size.height);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     text().mid(run.location, run.length));
    painter.restore();
}

}  // namespace controls
