#include "Screens/Activity/ImageItemView.h"

#include <QLabel>

namespace screens {
namespace {

constexpr char kAccessibilityValue[] = "accessibilityValue";

QLabel* textPart(QWidget* parent, int pixelSize, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
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
    name_ = textPart(nullptr, grid ? 10 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft);
    size_ = textPart(nullptr, grid ? 9 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft);
    output_ = textPart(nullptr, grid ? 9 : 12, grid ? Qt::AlignHCenter : Qt::AlignLeft);
    spare_ = textPart(nullptr, 9, Qt::AlignHCenter);
    for (QWidget* part : std::initializer_list<QWidget*>{background_, thumbnail_, overlay_, markImage_,
                                                         markButton_, name_, size_, output_, spare_})
        addSubview(part);
    if (grid) {
        size_->hide();
        output_->hide();
        spare_->hide();
        name_->setStyleSheet("color: white; background: rgba(0,0,0,110); padding: 0 3px;");
    }
    layoutParts();
}

void ImageItemView::resizeEvent(QResizeEvent* event) {
    View::resizeEvent(event);
    layoutParts();
}

void ImageItemView::layoutParts() {
    const int w = width(), h = height();
    background_->setGeometry(0, 0, w, h);
    overlay_->setGeometry(0, 0, w, h);
    if (form_ == Form::Grid) {
        thumbnail_->setGeometry(2, 2, w - 4, h - 4);
        const int mark = std::clamp(w / 5, 14, 26);
        markImage_->setGeometry(w - mark - 4, 4, mark, mark);
        markButton_->setGeometry(w - mark - 4, 4, mark, mark);
        const int nameHeight = std::min(16, h / 4);
        name_->setGeometry(0, h - nameHeight, w, nameHeight);
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
