#include "Platform/AppKit/Popover.h"

#include <QEvent>
#include <QFrame>
#include <QVBoxLayout>

#include "Platform/AppKit/View.h"
#include "Platform/AppKit/ViewController.h"

namespace appkit {

namespace {
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
}  // namespace

Popover::~Popover() {
    close();
}

void Popover::show(const cg::Rect& rect, QWidget* view, RectEdge preferredEdge) {
    close();
    if (!content_ || !view) return;
    auto* panel = new QFrame(view->window(), Qt::Popup);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setFrameShape(QFrame::StyledPanel);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, dark_ ? QColor(40, 40, 40) : QColor(246, 246, 246));
    palette.setColor(QPalette::WindowText, dark_ ? Qt::white : Qt::black);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
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
    const QSize size = panel->size();
    QPoint at;
    const bool minY = preferredEdge == RectEdge::MinY, maxY = preferredEdge == RectEdge::MaxY;
    const bool below = flipped ? maxY : minY;
    if (minY || maxY) {
        at = QPoint(anchor.center().x() - size.width() / 2,
                    below ? anchor.bottom() + 1 : anchor.top() - size.height());
    } else {
        at = QPoint(preferredEdge == RectEdge::MaxX ? anchor.right() + 1 : anchor.left() - size.width(),
                    anchor.center().y() - size.height() / 2);
    }
    panel->move(at);
    panel_ = panel;
    panel->show();
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
