#include "App/MessagePopover.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/View.h"
#include "Platform/AppKit/ViewController.h"

namespace shell {

namespace {

QFont messageFont() {
    QFont font;
    font.setPixelSize(14);
    return font;
}

class MessageViewController : public appkit::ViewController {
  public:
    MessageViewController(std::string message, bool dark) : message_(std::move(message)), dark_(dark) {}

  protected:
    void loadView() override {
        auto* root = new appkit::View;
        auto* layout = new QVBoxLayout(root);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* field = new QLabel(QString::fromStdString(message_), root);
        field->setTextFormat(Qt::PlainText);
        field->setFont(messageFont());
        field->setAlignment(Qt::AlignCenter);
        QPalette palette = field->palette();
        palette.setColor(QPalette::WindowText, dark_ ? Qt::white : Qt::black);
        field->setPalette(palette);
        field->setFixedSize(messageFieldSize(message_));
        field->setAccessibleName(QString::fromStdString(message_));
        layout->addWidget(field);
        setView(root);
    }

  private:
    std::string message_;
    bool dark_;
};

// The scroll area that `anchor` lies in, when its visible part hides the anchor.
QScrollArea* scrollAreaHiding(QWidget* anchor) {
    for (QWidget* w = anchor->parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            const QRect inViewport(anchor->mapTo(area->viewport(), QPoint(0, 0)), anchor->size());
            if (!area->viewport()->rect().intersects(inViewport)) return area;
        }
    }
    return nullptr;
}

void show(const std::string& message, QWidget* anchor, appkit::RectEdge edge,
          const std::shared_ptr<appkit::Popover>& popover, bool dark, bool mayScroll) {
    if (!popover || !anchor) return;
    if (QScrollArea* area = mayScroll ? scrollAreaHiding(anchor) : nullptr) {
        // Scrolled into view first, then shown once: a view that scrolling cannot reveal never
        // keeps the popover asking again.
        area->ensureWidgetVisible(anchor);
        QPointer<QWidget> guard(anchor);
        appkit::postToMain(anchor, [message, guard, edge, popover, dark] {
            if (guard) show(message, guard, edge, popover, dark, false);
        });
        return;
    }
    popover->setDark(dark);
    popover->setContentViewController(std::make_shared<MessageViewController>(message, dark));
    // Beside the anchor itself: its own bounds, in its own coordinates.
    popover->show(cg::Rect(0, 0, anchor->width(), anchor->height()), anchor, edge);
}

}  // namespace

QSize messageFieldSize(const std::string& message) {
    const QFontMetricsF metrics(messageFont());
    const QRectF measured = metrics.boundingRect(QRectF(0, 0, 10000, 10000), Qt::AlignLeft | Qt::AlignTop,
                                                 QString::fromStdString(message));
    const double w = measured.width() + 10;
    const double h = measured.height() > 25 ? measured.height() + 10 : 25;
    return QSize(static_cast<int>(std::ceil(w)), static_cast<int>(std::ceil(h)));
}

void showMessagePopover(const std::string& message, QWidget* anchor, appkit::RectEdge edge,
                        const std::shared_ptr<appkit::Popover>& popover, bool dark) {
    show(message, anchor, edge, popover, dark, true);
}

}  // namespace shell
