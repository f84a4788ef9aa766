// controls2_scenes OUTDIR STYLE: renders the text fields, animated number texts, table rows and
// cells, stack views, entrance-animated and self-arranging views in their states (rest, hover,
// selected, fitted, counted) on a light or dark desktop with the accent colours on, and writes
// OUTDIR/controls-gallery2-STYLE.png.

#include <QApplication>
#include <QEnterEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <cstdio>

#include "Controls/AnimatedNumber.h"
#include "Controls/Button.h"
#include "Controls/ScrollBarStyle.h"
#include "Controls/StackView.h"
#include "Controls/SystemAppearance.h"
#include "Controls/TableCellView.h"
#include "Controls/TableRowSimple.h"
#include "Controls/TableRowView.h"
#include "Controls/TaggableTextField.h"
#include "Controls/TextField.h"
#include "Controls/TextFieldCell.h"
#include "Controls/TextFieldDisabled.h"
#include "Controls/ViewAccent.h"
#include "Controls/ViewAnimation.h"
#include "Controls/ViewScrollAuto.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/ManualQueue.h"

using namespace controls;

namespace {

bool gDark = false;
const cg::Color kAccent{0, 0.478, 1, 1};

cg::Color ink() {
    return gDark ? cg::Color{0.92, 0.92, 0.94, 1} : cg::Color{0.1, 0.1, 0.12, 1};
}

QLabel* heading(const QString& text) {
    auto* l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    QFont font = l->font();
    font.setPixelSize(12);
    font.setBold(true);
    l->setFont(font);
    return l;
}

void pointerEnters(QWidget& w) {
    QEnterEvent event(QPointF(4, 4), QPointF(4, 4), QPointF(4, 4));
    QCoreApplication::sendEvent(&w, &event);
}

void textFields(QGridLayout& grid, int row, dispatch::ManualQueue& queue) {
    grid.addWidget(heading("Text fields"), row, 0);
    auto* placeholder = new TextField;
    placeholder->setPlaceholderText("Width");
    placeholder->setPlaceholderColor(kAccent);
    placeholder->setFixedSize(150, 26);
    grid.addWidget(placeholder, row, 1);

    auto* hovered = new TextField;
    hovered->setText("Hovered");
    hovered->setBorderWidth(2);
    hovered->setBorderHover(kAccent);
    hovered->setFixedSize(150, 26);
    hovered->awakeFromNib();
    pointerEnters(*hovered);
    grid.addWidget(hovered, row, 2);

    auto* fitted = new TextField;
    fitted->setFixedSize(150, 26);
    fitted->setFont(appkit::systemFont(15));
    fitted->setFontMinSize(6);
    fitted->setStringValue("A long preset name that shrinks");
    queue.advance(1);
    grid.addWidget(fitted, row, 3);

    auto* padded = new QLineEdit("Padded cell");
    TextFieldCell().install(*padded);
    padded->setFixedSize(150, padded->sizeHint().height());
    grid.addWidget(padded, row, 4);

    auto* label = new TextFieldDisabled;
    label->setText("Click-through label");
    label->setFixedWidth(150);
    grid.addWidget(label, row, 5);

    auto* tags = new TaggableTextField;
    tags->setFrame(false);
    tags->setFixedSize(240, 34);
    TaggedRun first, second;
    first.location = 0;
    first.length = 6;
    first.tag = true;
    first.background = cg::Color{0.85, 0.2, 0.3, 1};
    first.foreground = cg::Color::whiteColor();
    second.location = 7;
    second.length = 9;
    second.tag = true;
    second.background = kAccent;
    second.border = cg::Color{0, 0.2, 0.6, 1};
    second.foreground = cg::Color::whiteColor();
    tags->setAttributedStringValue("Sunset Landscape", {first, second});
    grid.addWidget(tags, row, 6);
}

void numbers(QGridLayout& grid, int row, dispatch::ManualQueue& queue) {
    grid.addWidget(heading("Animated numbers"), row, 0);
    auto makeLabel = [] {
        auto* l = new QLineEdit;
        l->setReadOnly(true);
        l->setFrame(false);
        l->setFixedWidth(150);
        return l;
    };
    auto* percent = makeLabel();
    textfield::animateNumber(*percent, "", "%", true, true, 0, 42, 0.05);
    auto* counted = makeLabel();
    textfield::countUpNumber(*counted, "Saved ", " MB", 0.5f, 7.25f, 0.1);
    auto* faded = makeLabel();
    faded->setText("Old text");
    textfield::fadeToText(*faded, "It's done.", 0.3);
    queue.advance(60);
    QCoreApplication::processEvents();
    queue.runUntilIdle();
    grid.addWidget(percent, row, 1);
    grid.addWidget(counted, row, 2);
    grid.addWidget(faded, row, 3);
}

TableRowView* row(const QString& text, bool selected, bool hovered, cg::Color hover) {
    auto* r = new TableRowView;
    r->setFixedSize(220, 34);
    auto* cell = new appkit::View;
    cell->resize(220, 34);
    r->addSubview(cell);
    auto* title = new QLabel(text, cell);
    title->setTextFormat(Qt::PlainText);
    title->setGeometry(20, 8, 180, 18);
    r->rowRadius = 8;
    r->rowHover = hover;
    r->setSelected(selected);
    r->isHover = hovered;    // the hover look, as the pointer gives it
    r->applyAccentColors();  // as the pointer's first entry does
    return r;
}

void tables(QGridLayout& grid, int line) {
    grid.addWidget(heading("Table rows"), line, 0);
    grid.addWidget(row("Selected, hovered", true, true, cg::Color::clear()), line, 1, 1, 2);
    grid.addWidget(row("Hovered", false, true, cg::Color{0.5, 0.5, 0.5, 1}), line, 3, 1, 2);
    auto* simple = new TableRowSimple;
    simple->setFixedSize(150, 24);
    simple->setSelected(true);
    grid.addWidget(simple, line, 5);
    auto* drop = new TableRowSimple;
    drop->setFixedSize(150, 24);
    drop->setTargetForDropOperation(true);
    grid.addWidget(drop, line + 1, 5);
    auto* cell = new TableCellView;
    cell->setFixedSize(150, 30);
    cell->setWantsLayer(true);
    cell->layer()->cornerRadius = 6;
    cell->layer()->borderWidth = 1;
    cell->rowHover = cg::Color{0.5, 0.5, 0.5, 1};
    cell->awakeFromNib();
    pointerEnters(*cell);
    grid.addWidget(cell, line, 6);
}

StackView* tabs(long long style, dispatch::ManualQueue& queue) {
    auto* stack = new StackView;
    stack->setFixedSize(330, 30);
    for (const char* title : {"Presets", "Advanced", "Bulk", "Rename"}) {
        auto* b = new Button;
        b->setTitle(title);
        b->setBordered(false);
        b->setFixedSize(76, 30);
        stack->addView(b);
    }
    stack->underColor = kAccent;
    stack->underStyle = style;
    stack->underSize = 0.6;
    stack->underOffset = style == 2 ? cg::Point{2, 0} : cg::Point{0, 3};
    stack->underRadius = {1.5, 1.5};
    stack->underSelected = 1;
    stack->setUnderSelection(true);
    queue.advance(0.2);
    return stack;
}

void stacks(QGridLayout& grid, int line, dispatch::ManualQueue& queue) {
    grid.addWidget(heading("Stack views"), line, 0);
    grid.addWidget(tabs(0, queue), line, 1, 1, 3);
    grid.addWidget(tabs(2, queue), line, 4, 1, 3);
    auto* narrow = tabs(0, queue);
    narrow->setFixedSize(200, 30);
    grid.addWidget(narrow, line + 1, 1, 1, 2);
}

void animated(QGridLayout& grid, int line, dispatch::ManualQueue& queue) {
    grid.addWidget(heading("Animated views"), line, 0);
    auto* holder = new appkit::View;
    holder->setFixedSize(220, 60);
    auto* glowing = new ViewAnimation(holder);
    glowing->setFrame(cg::Rect(20, 15, 120, 30));
    glowing->setWantsLayer(true);
    glowing->layer()->backgroundColor = kAccent;
    glowing->layer()->cornerRadius = 6;
    glowing->layerDidChange();
    glowing->Glow = 6;
    glowing->Duration = 0.5;
    glowing->setHidden(true);
    glowing->setHidden(false);
    queue.advance(0.1);  // caught grown by its breathing
    grid.addWidget(holder, line, 1, 1, 2);

    auto* arranged = new ViewScrollAuto;
    auto* frame = new appkit::View;
    frame->setFixedSize(320, 40);
    arranged->setParent(frame);
    arranged->setFrame(cg::Rect(0, 0, 10, 40));
    const cg::Color colours[] = {{0.95, 0.3, 0.3, 1}, {0.3, 0.75, 0.4, 1}, {0.95, 0.7, 0.2, 1}, kAccent};
    int width = 40;
    for (const cg::Color& c : colours) {
        auto* tile = new appkit::View;
        tile->setWantsLayer(true);
        tile->layer()->backgroundColor = c;
        tile->layerDidChange();
        tile->resize(width, 40);
        arranged->addSubview(tile);
        width += 20;
    }
    arranged->setDoAuto(true);
    grid.addWidget(frame, line, 3, 1, 3);
}

void applyStyle(QApplication& app) {
    app.setStyle(new controls::ScrollBarStyle);
    QPalette palette = app.style()->standardPalette();
    if (gDark) {
        const QColor text = appkit::toQColor(ink());
        palette.setColor(QPalette::Window, QColor(44, 44, 46));
        palette.setColor(QPalette::Base, QColor(30, 30, 32));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(role, text);
        palette.setColor(QPalette::Button, QColor(58, 58, 60));
    }
    palette.setColor(QPalette::Highlight, appkit::toQColor(kAccent));
    app.setPalette(palette);
    SystemAppearance::instance().overrideDesktopIsDark(gDark);
    SystemAppearance::instance().overrideAccentColor(kAccent);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3) {
        std::fprintf(stderr, "usage: controls2_scenes OUTDIR light|dark\n");
        return 2;
    }
    gDark = QString(argv[2]) == "dark";
    applyStyle(app);
    auto queue = std::make_shared<dispatch::ManualQueue>("main");
    dispatch::Queue::setMainBackend(queue);
    appkit::AnimationClock::setDurationScale(0);
    appkit::View switcher;
    view::setColorAccent(switcher, true);

    QWidget window;
    window.setAutoFillBackground(true);
    auto* grid = new QGridLayout(&window);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    textFields(*grid, 0, *queue);
    numbers(*grid, 1, *queue);
    tables(*grid, 2);
    stacks(*grid, 4, *queue);
    animated(*grid, 6, *queue);
    window.show();
    queue->runUntilIdle();
    QCoreApplication::processEvents();

    const QString file = QString(argv[1]) + "/controls-gallery2-" + (gDark ? "dark" : "light") + ".png";
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    dispatch::Queue::setMainBackend(nullptr);
    return 0;
}
