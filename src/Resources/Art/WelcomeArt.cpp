// vorta_welcome_art OUTDIR: draws the five pictures of the welcome pages ("Welcome", "Presets",
// "KeyFeatures", "Advanced", "Name") and writes them as OUTDIR/<name>.png. Shapes only, no text, so
// the pictures look the same on every machine and need no display.

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kWidth = 800, kHeight = 520;

QColor hsv(int hue, int saturation, int value) {
    return QColor::fromHsv(hue, saturation, value);
}

// The card every picture sits on: a soft gradient in the page's hue with two faint circles.
void drawCard(QPainter& p, int hue) {
    QPainterPath card;
    card.addRoundedRect(QRectF(16, 16, kWidth - 32, kHeight - 32), 40, 40);
    QLinearGradient fill(0, 16, 0, kHeight - 16);
    fill.setColorAt(0, hsv(hue, 40, 252));
    fill.setColorAt(1, hsv(hue, 95, 235));
    p.fillPath(card, fill);
    p.save();
    p.setClipPath(card);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(120, 90), 150, 150);
    p.drawEllipse(QPointF(700, 470), 190, 190);
    p.restore();
}

void shadowedRoundRect(QPainter& p, const QRectF& r, qreal radius, const QColor& fill) {
    p.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        p.setBrush(QColor(20, 30, 60, 7));
        p.drawRoundedRect(r.adjusted(-i, -i + 5, i, i + 5), radius + i, radius + i);
    }
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

// A photograph: a white mount around a sky, a sun and two hills, turned about its centre.
void drawPhoto(QPainter& p, const QRectF& r, qreal degrees, int skyHue) {
    p.save();
    p.translate(r.center());
    p.rotate(degrees);
    const QRectF frame(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    shadowedRoundRect(p, frame, 12, Qt::white);
    const QRectF picture = frame.adjusted(10, 10, -10, -10);
    QPainterPath clip;
    clip.addRoundedRect(picture, 6, 6);
    p.setClipPath(clip);
    QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
    sky.setColorAt(0, hsv(skyHue, 120, 250));
    sky.setColorAt(1, hsv(skyHue, 40, 255));
    p.fillRect(picture, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 204, 64));
    const qreal unit = picture.width() / 10;
    p.drawEllipse(QPointF(picture.right() - 2.2 * unit, picture.top() + 2.2 * unit), unit, unit);
    QPainterPath back;
    back.moveTo(picture.left(), picture.bottom());
    back.lineTo(picture.left() + 3.5 * unit, picture.center().y() - unit);
    back.lineTo(picture.left() + 7 * unit, picture.bottom());
    p.setBrush(QColor(92, 158, 112));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(picture.left() + 3 * unit, picture.bottom());
    front.lineTo(picture.left() + 6.8 * unit, picture.center().y() + 0.3 * unit);
    front.lineTo(picture.right() + unit, picture.bottom());
    p.setBrush(QColor(58, 126, 90));
    p.drawPath(front);
    p.restore();
}

void drawSparkle(QPainter& p, QPointF c, qreal size, const QColor& color) {
    QPainterPath star;
    star.moveTo(c.x(), c.y() - size);
    star.quadTo(c, QPointF(c.x() + size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() + size));
    star.quadTo(c, QPointF(c.x() - size, c.y()));
    star.quadTo(c, QPointF(c.x(), c.y() - size));
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(star);
}

void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
    p.setPen(QPen(color, 14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to - QPointF(14, 0));
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to + QPointF(-34, -26));
    head.lineTo(to + QPointF(-34, 26));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(head);
}

void bar(QPainter& p, const QRectF& r, const QColor& color) {
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
}

// Many photos in, the same photos smaller out.
void drawWelcome(QPainter& p) {
    drawCard(p, 215);
    drawPhoto(p, QRectF(90, 150, 250, 190), -12, 205);
    drawPhoto(p, QRectF(120, 160, 250, 190), -3, 190);
    drawPhoto(p, QRectF(150, 170, 250, 190), 8, 215);
    drawArrow(p, QPointF(430, 270), QPointF(540, 270), QColor(0, 122, 255));
    drawPhoto(p, QRectF(570, 175, 150, 114), -6, 205);
    drawPhoto(p, QRectF(585, 205, 150, 114), 5, 190);
    drawSparkle(p, QPointF(470, 150), 22, QColor(255, 190, 40));
    drawSparkle(p, QPointF(700, 130), 14, QColor(255, 255, 255));
    drawSparkle(p, QPointF(520, 390), 16, QColor(255, 255, 255));
}

// A grid of preset cards, each with its coloured size tag.
void drawPresets(QPainter& p) {
    drawCard(p, 30);
    const QColor tags[] = {QColor(255, 149, 0), QColor(52, 199, 89),   QColor(255, 204, 0),
                           QColor(0, 122, 255), QColor(174, 174, 178), QColor(255, 149, 0)};
    for (int i = 0; i < 6; ++i) {
        const QRectF card(95 + (i % 3) * 210, 120 + (i / 3) * 150, 190, 125);
        shadowedRoundRect(p, card, 16, Qt::white);
        bar(p, QRectF(card.left() + 16, card.top() + 18, 10, card.height() - 36), tags[i]);
        bar(p, QRectF(card.left() + 40, card.top() + 26, 110, 14), QColor(60, 60, 67));
        bar(p, QRectF(card.left() + 40, card.top() + 52, 80, 10), QColor(174, 174, 178));
        p.setPen(QPen(tags[i], 4));
        p.setBrush(Qt::NoBrush);
        const qreal w = 26 + (i % 3) * 10, h = 40 - (i % 3) * 6;
        p.drawRoundedRect(QRectF(card.right() - 20 - w, card.bottom() - 16 - h, w, h), 4, 4);
    }
}

// A photo and its new name built from a prefix, the name and a suffix.
void drawKeyFeatures(QPainter& p) {
    drawCard(p, 150);
    drawPhoto(p, QRectF(80, 150, 230, 176), -6, 175);
    drawArrow(p, QPointF(340, 240), QPointF(420, 240), QColor(48, 176, 120));
    const QRectF pill(440, 205, 290, 70);
    shadowedRoundRect(p, pill, 35, Qt::white);
    bar(p, QRectF(458, 223, 70, 34), QColor(0, 122, 255));
    bar(p, QRectF(538, 232, 100, 16), QColor(60, 60, 67));
    bar(p, QRectF(648, 223, 66, 34), QColor(52, 199, 89));
    // A pencil writing the name.
    p.save();
    p.translate(600, 340);
    p.rotate(-40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 204, 0));
    p.drawRoundedRect(QRectF(-90, -14, 150, 28), 6, 6);
    p.setBrush(QColor(255, 149, 120));
    p.drawRoundedRect(QRectF(-110, -14, 26, 28), 6, 6);
    QPainterPath tip;
    tip.moveTo(60, -14);
    tip.lineTo(95, 0);
    tip.lineTo(60, 14);
    tip.closeSubpath();
    p.setBrush(QColor(245, 222, 179));
    p.drawPath(tip);
    p.setBrush(QColor(60, 60, 67));
    p.drawEllipse(QPointF(89, 0), 5, 5);
    p.restore();
    bar(p, QRectF(455, 410, 120, 8), QColor(255, 255, 255, 200));
}

// A photo beside sliders and a magic wand.
void drawAdvanced(QPainter& p) {
    drawCard(p, 275);
    drawPhoto(p, QRectF(110, 120, 330, 250), 0, 280);
    const QRectF panel(480, 120, 210, 250);
    shadowedRoundRect(p, panel, 18, Qt::white);
    const QColor accents[] = {QColor(175, 82, 222), QColor(255, 45, 85), QColor(0, 122, 255)};
    const qreal knobs[] = {0.7, 0.35, 0.55};
    for (int i = 0; i < 3; ++i) {
        const qreal y = panel.top() + 60 + i * 65;
        bar(p, QRectF(panel.left() + 28, y - 4, panel.width() - 56, 8), QColor(229, 229, 234));
        const qreal x = panel.left() + 28 + knobs[i] * (panel.width() - 56);
        bar(p, QRectF(panel.left() + 28, y - 4, x - panel.left() - 28, 8), accents[i]);
        p.setBrush(Qt::white);
        p.setPen(QPen(accents[i], 4));
        p.drawEllipse(QPointF(x, y), 13, 13);
    }
    p.save();
    p.translate(105, 420);
    p.rotate(-35);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(44, 44, 46));
    p.drawRoundedRect(QRectF(0, -8, 120, 16), 8, 8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(100, -8, 26, 16), 8, 8);
    p.restore();
    drawSparkle(p, QPointF(215, 330), 20, QColor(255, 204, 0));
    drawSparkle(p, QPointF(250, 375), 12, QColor(255, 255, 255));
    drawSparkle(p, QPointF(175, 300), 10, QColor(255, 255, 255));
}

// Several photos with the same crop frame on each.
void drawBulkCrop(QPainter& p) {
    drawCard(p, 345);
    const QRectF photos[] = {QRectF(110, 120, 260, 196), QRectF(260, 160, 260, 196),
                             QRectF(410, 200, 260, 196)};
    const int hues[] = {200, 25, 160};
    for (int i = 0; i < 3; ++i) {
        drawPhoto(p, photos[i], 0, hues[i]);
        const QRectF crop = photos[i].adjusted(50, 30, -70, -40);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 4, Qt::DashLine, Qt::RoundCap));
        p.drawRect(crop);
        if (i != 2) continue;
        p.setPen(QPen(QColor(255, 59, 48), 8, Qt::SolidLine, Qt::RoundCap));
        const qreal l = 24;
        for (const QPointF corner :
             {crop.topLeft(), crop.topRight(), crop.bottomLeft(), crop.bottomRight()}) {
            const qreal dx = corner.x() == crop.left() ? l : -l, dy = corner.y() == crop.top() ? l : -l;
            p.drawLine(corner, corner + QPointF(dx, 0));
            p.drawLine(corner, corner + QPointF(0, dy));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const std::pair<const char*, std::function<void(QPainter&)>> pictures[] = {
        {"Welcome", drawWelcome},
        {"Presets", drawPresets},
        {"KeyFeatures", drawKeyFeatures},
        {"Advanced", drawAdvanced},
        {"Name", drawBulkCrop}};
    for (const auto& [name, draw] : pictures) {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
        painter.end();
        const QString file = out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
