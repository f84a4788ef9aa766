#include "Platform/AppKit/SegmentedControl.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "Platform/AppKit/AccessibleRoles.h"

namespace appkit {

namespace {

QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

bool darkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

// One segment: its title, and when selected a raised face inside the control's track, so the row
// reads as one control with a clear choice in the light and the dark style alike.
class Segment final : public QToolButton {
  public:
    Segment() {
        setCheckable(true);
        setToolButtonStyle(Qt::ToolButtonTextOnly);
        setAutoRaise(true);
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        setProperty(kPageTabProperty, true);
    }
    QSize sizeHint() const override {
        QFont bold = font();
        bold.setWeight(QFont::DemiBold);
        return {QFontMetrics(bold).horizontalAdvance(text()) + 28, 26};
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPalette& colours = palette();
        const bool dark = darkPalette(colours);
        const QRectF face = QRectF(rect()).adjusted(2, 2, -2, -2);
        if (isChecked()) {
            const QColor fill =
                dark ? blend(colours.color(QPalette::Window), Qt::white, 0.22) : QColor(Qt::white);
            painter.setPen(QPen(dark ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 38), 1));
            painter.setBrush(fill);
            painter.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
        } else if (underMouse() && isEnabled()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(dark ? QColor(255, 255, 255, 18) : QColor(0, 0, 0, 14));
            painter.drawRoundedRect(face, 5, 5);
        }
        QFont f = font();
        f.setWeight(isChecked() ? QFont::DemiBold : QFont::Normal);
        painter.setFont(f);
        QColor ink = colours.color(QPalette::WindowText);
        if (!isEnabled()) ink.setAlphaF(0.4);
        painter.setPen(ink);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

}  // namespace

SegmentedControl::SegmentedControl(const std::vector<QString>& labels, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    // The segments sit straight in the control, so a screen reader finds the tabs in their list.
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    group_->setExclusive(false);
    installAccessibleRoles();
    setAccessibleName(QStringLiteral("Tabs"));
    for (std::size_t i = 0; i < labels.size(); ++i) {
        auto* button = new Segment;
        button->setText(labels[i]);
        button->setAccessibleName(labels[i]);
        layout->addWidget(button);
        group_->addButton(button, static_cast<int>(i));
    }
    connect(group_, &QButtonGroup::idClicked, this, [this](int id) {
        setSelectedSegment(id);
        if (action_) action_(*this);
    });
}

void SegmentedControl::paintEvent(QPaintEvent*) {
    // The track the segments sit in.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const QColor window = colours.color(QPalette::Window), text = colours.color(QPalette::WindowText);
    painter.setPen(QPen(blend(window, text, darkPalette(colours) ? 0.2 : 0.16), 1));
    painter.setBrush(blend(window, text, darkPalette(colours) ? 0.1 : 0.07));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
}

int SegmentedControl::segmentCount() const {
    return static_cast<int>(group_->buttons().size());
}

QString SegmentedControl::labelForSegment(int segment) const {
    auto* button = group_->button(segment);
    return button ? button->text() : QString();
}

void SegmentedControl::setSelectedSegment(int segment) {
    selected_ = segment >= 0 && segment < segmentCount() ? segment : -1;
    for (auto* button : group_->buttons()) {
        const bool selected = group_->id(button) == selected_;
        if (button->isChecked() == selected) continue;
        button->setChecked(selected);
        // A screen reader hears which tab is now the selected one.
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(button, changed);
        QAccessible::updateAccessibility(&event);
    }
    update();
}

}  // namespace appkit
