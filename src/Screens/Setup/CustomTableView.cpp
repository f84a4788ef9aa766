#include "Screens/Setup/CustomTableView.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>

#include "Platform/AppKit/LayerPainter.h"
#include "Platform/Graphics/SystemColors.h"

namespace {

// Draws the table's border above its rows; never takes the mouse.
class BorderOverlay : public QWidget {
  public:
    BorderOverlay(QWidget* parent, const CustomTableView& table) : QWidget(parent), table_(table) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const auto colour = table_.borderColor();
        const double width = table_.borderWidth();
        if (!colour || width <= 0 || colour->alpha <= 0) return;
        QPainter painter(this);
        QPen pen(appkit::toQColor(*colour));
        pen.setWidthF(width);
        painter.setPen(pen);
        const double inset = width / 2;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }

  private:
    const CustomTableView& table_;
};

}  // namespace

CustomTableView::CustomTableView(QWidget* parent)
    : appkit::TableView(parent),
      drop_(new appkit::FileDropTarget(this)),
      borderOverlay_(new BorderOverlay(this, *this)) {
    drop_->draggingEntered = [this](const std::vector<std::string>& paths) {
        return updateDragHighlight() && !paths.empty();
    };
    drop_->draggingExited = [this] { setBorder(cg::Color::clear(), 0); };
    drop_->performDrop = [this](const std::vector<std::string>& paths, const appkit::DropSource& source) {
        acceptDroppedURLs(paths, source);
        return true;
    };
    borderOverlay_->raise();
}

bool CustomTableView::updateDragHighlight() {
    const bool accepted = dragDelegate && dragDelegate->tableAcceptsDrop();
    if (accepted)
        setBorder(cg::system::blue(), 4.0);
    else
        setBorder(cg::Color::clear(), 0);
    return accepted;
}

void CustomTableView::setBorder(std::optional<cg::Color> colour, double width) {
    borderColor_ = colour;
    borderWidth_ = width;
    borderOverlay_->update();
}

void CustomTableView::acceptDroppedURLs(const std::vector<std::string>& paths,
                                        const appkit::DropSource& source) {
    if (source.internal || paths.empty()) return;
    if (dragDelegate && dragDelegate->tableAcceptsDrop()) dragDelegate->tableDidReceiveFiles(paths);
}

void CustomTableView::beginDraggingFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(appkit::makeFileDragData(paths, dragKind));
    drag->exec(Qt::CopyAction);
}

void CustomTableView::mousePressEvent(QMouseEvent* event) {
    appkit::TableView::mousePressEvent(event);
    pressed_ = event->button() == Qt::LeftButton;
    pressPoint_ = event->position().toPoint();
}

void CustomTableView::mouseMoveEvent(QMouseEvent* event) {
    appkit::TableView::mouseMoveEvent(event);
    if (!pressed_ || !(event->buttons() & Qt::LeftButton) || !filesForRows) return;
    if ((event->position().toPoint() - pressPoint_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    const std::set<int>& rows = selectedRowIndexes();
    if (!rows.empty()) beginDraggingFiles(filesForRows(rows));
}

void CustomTableView::resizeEvent(QResizeEvent* event) {
    appkit::TableView::resizeEvent(event);
    borderOverlay_->setGeometry(rect());
    borderOverlay_->raise();
}
