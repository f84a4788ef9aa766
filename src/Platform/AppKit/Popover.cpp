#include "Platform/AppKit/Popover.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>

#include "Platform/AppKit/View.h"
#include "Platform/AppKit/ViewController.h"

namespace appkit {

namespace {
// The popover stands just off its anchor, close enough to read as belonging to it, and keeps this far
// inside the window it belongs to. Above or below its anchor, a pointer on its edge points at the
// anchor's middle.
constexpr int kGap = 4;
constexpr int kMargin = 12;
constexpr int kPointer = 7;
constexpr double kRadius = 6;

// Takes the content out of the panel when it closes (by a click outside, say), so the panel's
// deletion leaves the controller's view alone.
class ReleaseContentOnHide : public QObject {
  public:
    ReleaseContentOnHide(QWidget* panel, View* content) : QObject(panel), content_(content) {
        panel->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide && content_) View::removeFromSuperview(content_);
        return false;
    }

  private:
    QPointer<View> content_;
};
// The popover's surface: raised off the window it opens over, rounded, with a one-pixel edge that
// reads on the light and the dark look alike, and with its pointer when it has one.
class PopoverPanel : public QFrame {
  public:
    enum class Pointer { None, Up, Down };

    PopoverPanel(QWidget* parent, bool dark) : QFrame(parent, Qt::Popup), dark_(dark) {
        setAttribute(Qt::WA_DeleteOnClose);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, dark ? QColor(58, 58, 62) : QColor(252, 252, 253));
        colours.setColor(QPalette::WindowText, dark ? QColor(240, 240, 245) : QColor(28, 28, 30));
        setPalette(colours);
    }

    // Where the pointer sits: on the top edge (Up) or the bottom one (Down), its tip at `tipX`.
    void setPointer(Pointer pointer, int tipX) {
        pointer_ = pointer;
        tipX_ = tipX;
        reshape();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QFrame::resizeEvent(event);
        reshape();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(dark_ ? QColor(255, 255, 255, 60) : QColor(0, 0, 0, 56), 1));
        painter.setBrush(palette().color(QPalette::Window));
        painter.drawPath(outline(0.5));
    }

  private:
    QPainterPath outline(double inset) const {
        QRectF body = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        if (pointer_ == Pointer::Up) body.setTop(body.top() + kPointer);
        if (pointer_ == Pointer::Down) body.setBottom(body.bottom() - kPointer);
        QPainterPath path;
        path.addRoundedRect(body, kRadius, kRadius);
        if (pointer_ == Pointer::None) return path;
        const double tip =
            std::clamp(double(tipX_), body.left() + kRadius + kPointer, body.right() - kRadius - kPointer);
        const bool up = pointer_ == Pointer::Up;
        const double base = up ? body.top() + 1 : body.bottom() - 1;
        QPainterPath arrow;
        arrow.moveTo(tip - kPointer, base);
        arrow.lineTo(tip, up ? inset : height() - inset);
        arrow.lineTo(tip + kPointer, base);
        arrow.closeSubpath();
        return path.united(arrow);
    }
    void reshape() {
        setMask(QRegion(outline(0).toFillPolygon().toPolygon()));
        update();
    }

    bool dark_;
    Pointer pointer_ = Pointer::None;
    int tipX_ = 0;
};

}  // namespace

Popover::~Popover() {
    close();
}

void Popover::show(const cg::Rect& rect, QWidget* view, RectEdge preferredEdge) {
    close();
    if (!content_ || !view) return;
    auto* panel = new PopoverPanel(view->window(), dark_);
    auto* layout = new QVBoxLayout(panel);
    const bool minY = preferredEdge == RectEdge::MinY, maxY = preferredEdge == RectEdge::MaxY;
    layout->setContentsMargins(8, 8, 8, 8);
    View* contentView = content_->view();
    layout->addWidget(contentView);
    contentView->show();
    panel->adjustSize();
    new ReleaseContentOnHide(panel, contentView);

    // The anchor as a view-local rectangle in Qt coordinates: a view's own y runs up unless flipped.
    const auto* asView = qobject_cast<View*>(view);
    const bool flipped = asView ? asView->isFlipped() : true;
    const cg::Rect r = rect.standardized();
    const QRect local(int(r.origin.x),
                      flipped ? int(r.origin.y) : int(view->height() - r.origin.y - r.size.height),
                      int(r.size.width), int(r.size.height));
    const QRect anchor(view->mapToGlobal(local.topLeft()), local.size());
    const bool below = flipped ? maxY : minY;
    if (minY || maxY) {
        // Room for the pointer on the edge that faces the anchor.
        layout->setContentsMargins(8, below ? 8 + kPointer : 8, 8, below ? 8 : 8 + kPointer);
        panel->adjustSize();
    }
    // Kept within the anchor's window and its margin, so it never hangs off the sheet or window it
    // belongs to.
    const QRect window(view->window()->mapToGlobal(QPoint(0, 0)), view->window()->size());
    const QRect inside = window.adjusted(kMargin, 0, -kMargin, 0);
    const QRect bounds = panel->width() <= inside.width() ? inside : window;
    auto place = [=](QWidget* popup) {
        const QSize size = popup->size();
        QPoint at;
        if (minY || maxY) {
            at = QPoint(anchor.center().x() - size.width() / 2,
                        below ? anchor.bottom() + 1 + kGap : anchor.top() - size.height() - kGap);
        } else {
            at = QPoint(preferredEdge == RectEdge::MaxX ? anchor.right() + 1 + kGap
                                                        : anchor.left() - size.width() - kGap,
                        anchor.center().y() - size.height() / 2);
        }
        if (size.width() <= bounds.width())
            at.setX(std::clamp(at.x(), bounds.left(), bounds.right() + 1 - size.width()));
        popup->move(at);
        if (minY || maxY)
            static_cast<PopoverPanel*>(popup)->setPointer(
                below ? PopoverPanel::Pointer::Up : PopoverPanel::Pointer::Down,
                anchor.center().x() - at.x());
    };
    place(panel);
    panel_ = panel;
    panel->show();
    // Shown, it has its final size.
    place(panel);
}

void Popover::close() {
    if (!panel_) return;
    if (content_ && content_->isViewLoaded()) View::removeFromSuperview(content_->view());
    panel_->close();
    panel_ = nullptr;
}

bool Popover::isShown() const {
    return panel_ && panel_->isVisible();
}

QWidget* Popover::panel() const {
    return panel_;
}

}  // namespace appkit
