#include "Screens/Activity/ImageItemView.h"

#include <QLabel>
#include <QPainter>

#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/LayerPainter.h"

namespace screens {
namespace {

constexpr char kAccessibilityValue[] = "accessibilityValue";

// A name or size strip laid over a grid item's picture: white text on a backdrop dark enough for
// 4.5:1 over any photo, even a white one. It paints both itself, whatever palette it inherits.
class StripLabel final : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, 165));
        painter.setPen(Qt::white);
        painter.setFont(font());
        const QRect room = rect().adjusted(4, 0, -4, 0);
        painter.drawText(room, static_cast<int>(alignment()),
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, room.width()));
    }
};

QLabel* textPart(QWidget* parent, int pixelSize, Qt::Alignment alignment, bool strip = false) {
    QLabel* label = strip ? new StripLabel(parent) : new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignVCenter);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

}  // namespace

ImageItemView::ImageItemView(Form form, QWidget* parent) : View(parent), form_(form) {
    resize(form == Form::Grid ? QSize(100, 100) : QSize(600, 60));
    background_ = new appkit::View;
    thumbnail_ = new ImageWell;
    overlay_ = new appkit::View;
    overlay_->setAttribute(Qt::WA_TransparentForMouseEvents);
    markImage_ = new ImageWell;
    markButton_ = new controls::PushButton(QString(), controls::PushButton::Role::Borderless);
    markButton_->setCheckable(true);
    markButton_->setAccessibleName(QStringLiteral("Mark"));
    markButton_->setFocusPolicy(Qt::NoFocus);
    const bool grid = form == Form::Grid;
    name_ = textPart(nullptr, grid ? 11 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft, grid);
    size_ = textPart(nullptr, grid ? 10 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft, grid);
    output_ = textPart(nullptr, grid ? 9 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft);
    spare_ = textPart(nullptr, 9, Qt::AlignHCenter);
    for (QWidget* part : std::initializer_list<QWidget*>{background_, thumbnail_, overlay_, markImage_,
                                                         markButton_, name_, size_, output_, spare_})
        addSubview(part);
    if (grid) {
        output_->hide();
        spare_->hide();
        connect(thumbnail_, &ImageWell::imageChanged, this, [this] { layoutParts(); });
    }
    layoutParts();
}

void ImageItemView::drawContent(QPainter& painter) {
    if (form_ != Form::Row) return;
    cg::Color line = controls::SystemAppearance::labelColor(controls::interfacestyle::current());
    line.alpha = 0.1;
    painter.fillRect(QRect(rowTextLeft(height()) - 4, height() - 1, width(), 1), appkit::toQColor(line));
}

void ImageItemView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    layoutParts();
}

void ImageItemView::setOneLineStrip(bool oneLine) {
    if (oneLine == oneLineStrip_ || form_ != Form::Grid) return;
    oneLineStrip_ = oneLine;
    layoutParts();
}

void ImageItemView::layoutParts() {
    const int w = width(), h = height();
    background_->setGeometry(0, 0, w, h);
    overlay_->setGeometry(0, 0, w, h);
    if (form_ == Form::Grid) {
        // The inset is half the gutter between items; the strips lie on the picture, as wide as it.
        constexpr int inset = 5;
        thumbnail_->setGeometry(inset, inset, std::max(0, w - 2 * inset), std::max(0, h - 2 * inset));
        const QRect picture = thumbnail_->imageRect().translated(thumbnail_->pos());
        // The wide result tiles size their mark by their height, the image lists' by their width.
        const int mark = std::clamp((oneLineStrip_ ? h : w) / 5, 14, 26);
        markImage_->setGeometry(picture.right() - mark - 3, picture.top() + 4, mark, mark);
        markButton_->setGeometry(picture.right() - mark - 3, picture.top() + 4, mark, mark);
        if (oneLineStrip_) {
            layoutOneLineStrip(picture);
            return;
        }
        // The strips cover at most a quarter of the picture: name and size on two lines where both
        // fit in that quarter, else the name alone on one line.
        constexpr int readableLine = 12;
        const int twoLines = std::min(16, picture.height() / 8);
        const bool sizeShown = !size_->text().isEmpty() && twoLines >= readableLine;
        const int line = sizeShown ? twoLines : std::min(16, std::max(1, picture.height() / 4));
        size_->setVisible(sizeShown);
        size_->setGeometry(picture.left(), picture.bottom() + 1 - line, picture.width(), line);
        name_->setGeometry(picture.left(), picture.bottom() + 1 - line * (sizeShown ? 2 : 1), picture.width(),
                           line);
        return;
    }
    const int side = std::max(0, h - 8);
    markImage_->setGeometry(6, (h - 20) / 2, 20, 20);
    markButton_->setGeometry(6, (h - 20) / 2, 20, 20);
    thumbnail_->setGeometry(32, 4, side, side);
    const int textLeft = rowTextLeft(h);
    const int column = std::max(40, (w - textLeft) / 3);
    name_->setGeometry(textLeft, 0, column - 8, h);
    size_->setGeometry(textLeft + column, 0, column - 8, h);
    output_->setGeometry(textLeft + 2 * column, 0, column - 8, h);
    spare_->setGeometry(0, 0, 0, 0);
}

void ImageItemView::layoutOneLineStrip(const QRect& picture) {
    // One line along the picture's foot: the name from the left, the size at the right; on a
    // tile too narrow for both whole, the size goes on a second line under the name.
    const int sizeWidth =
        size_->text().isEmpty() ? 0 : size_->fontMetrics().horizontalAdvance(size_->text()) + 10;
    const int nameWidthNeeded = name_->fontMetrics().horizontalAdvance(name_->text()) + 10;
    const bool oneLine = sizeWidth == 0 || nameWidthNeeded + sizeWidth <= picture.width();
    const int lines = oneLine ? 1 : 2;
    // Two lines are set tighter, so the pair still leaves most of the picture in view.
    const int line = std::min(lines == 1 ? 18 : 15, std::max(1, picture.height() / 4));
    const int top = picture.bottom() + 1 - line * lines;
    size_->setVisible(sizeWidth > 0);
    // Side by side the name reads from the left and the size from the right; stacked, both centre.
    name_->setAlignment((oneLine ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    size_->setAlignment((oneLine ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    if (oneLine) {
        const int nameWidth = picture.width() - sizeWidth;
        name_->setGeometry(picture.left(), top, nameWidth, line);
        size_->setGeometry(picture.left() + nameWidth, top, sizeWidth, line);
    } else {
        name_->setGeometry(picture.left(), top, picture.width(), line);
        size_->setGeometry(picture.left(), top + line, picture.width(), line);
    }
}

void setMarkContext(controls::PushButton& button, int item, const void* grid) {
    button.setProperty(kAccessibilityValue,
                       QVariantList{QVariant(item), QVariant::fromValue(const_cast<void*>(grid))});
}

std::optional<MarkContext> markContext(const controls::PushButton& button) {
    const QVariant value = button.property(kAccessibilityValue);
    if (value.typeId() != QMetaType::QVariantList) return std::nullopt;
    const QVariantList list = value.toList();
    if (list.size() != 2 || list[0].typeId() != QMetaType::Int) return std::nullopt;
    return MarkContext{list[0].toInt(), list[1].value<void*>()};
}

}  // namespace screens
