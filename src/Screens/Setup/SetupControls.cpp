#include "Screens/Setup/SetupControls.h"

#include "Controls/InterfaceStyle.h"
#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/LayerPainter.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace setup {

namespace {

bool darkStyle() {
    return controls::interfacestyle::current() == controls::InterfaceStyle::Dark;
}

// Paints itself at each draw, so the line follows a change of style.
class Separator : public QWidget {
  public:
    explicit Separator(QWidget* parent) : QWidget(parent) { setFixedHeight(1); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), appkit::toQColor(separatorColour()));
    }
};

}  // namespace

cg::Color accentColour() {
    return controls::SystemAppearance::instance().controlAccentColor();
}

cg::Color separatorColour() {
    return darkStyle() ? cg::Color{1, 1, 1, 0.14} : cg::Color{0, 0, 0, 0.12};
}

QWidget* makeSeparator(QWidget* parent) {
    return new Separator(parent);
}

QWidget* makePaneFooter(QWidget* primary) {
    auto* footer = new QWidget;
    auto* column = new QVBoxLayout(footer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeSeparator(footer));
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(kPaneInset, 10, kPaneInset, 12);
    bar->addStretch(1);
    bar->addWidget(primary);
    column->addLayout(bar);
    return footer;
}

controls::TextField* makeTextField(const QString& placeholder, QWidget* parent) {
    auto* field = new controls::TextField(parent);
    field->setPlaceholderText(placeholder);
    QFont font = field->font();
    font.setPixelSize(13);
    field->setFont(font);
    field->setFixedHeight(28);
    field->setBorderColor(separatorColour().withAlpha(darkStyle() ? 0.3 : 0.2));
    field->setBorderWidth(1);
    field->setBorderHover(accentColour());
    field->setAccessibleName(placeholder);
    field->awakeFromNib();
    return field;
}

QLabel* makeCaption(const QString& text, int pixelSize, bool bold, bool secondary, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    if (secondary) label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

}  // namespace setup
