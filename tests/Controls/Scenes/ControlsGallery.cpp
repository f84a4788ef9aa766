// controls_scenes OUTDIR STYLE: renders every drawn control of the first controls set in its
// states (rest, hover, pressed, disabled, selected; accent colours off and on) on a light or dark
// desktop, and writes OUTDIR/controls-gallery-STYLE.png.

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <cstdio>

#include "Controls/Box.h"
#include "Controls/Button.h"
#include "Controls/ButtonAlpha.h"
#include "Controls/ButtonImg.h"
#include "Controls/ButtonTextColor.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Controls/PopUpButton.h"
#include "Controls/ScrollBarStyle.h"
#include "Controls/SplitViewLiteDivider.h"
#include "Controls/SystemAppearance.h"
#include "Controls/ToggleButton.h"
#include "Controls/TokenField.h"
#include "Controls/ViewAccent.h"
#include "Controls/ViewGradient.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/ManualQueue.h"
#include "Support/SceneStyle.h"

using namespace controls;

namespace {

bool gDark = false;
const cg::Color kAccent{0, 0.478, 1, 1};
const cg::Color kGrey{0.6, 0.6, 0.64, 1};

QLabel* caption(const QString& text, int pixelSize = 11) {
    auto* l = new QLabel(text);
    l->setTextFormat(Qt::PlainText);
    QFont font = l->font();
    font.setPixelSize(pixelSize);
    l->setFont(font);
    l->setAlignment(Qt::AlignHCenter);
    return l;
}

QWidget* captioned(QWidget* control, const QString& text) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addWidget(control, 0, Qt::AlignHCenter);
    column->addWidget(caption(text));
    return box;
}

QImage arrow() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(15, 9), QPointF(10, 9), QPointF(10, 15), QPointF(6, 15),
                             QPointF(6, 9), QPointF(1, 9)}));
    return image;
}

void enter(QWidget& w) {
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&w, &event);
}

void press(QWidget& w) {
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

template <class B>
B* styled(const QString& title, int width = 112) {
    auto* b = new B;
    b->setFixedSize(width, 30);
    b->setTitle(title);
    view::setBorderWidth(*b, 1);
    view::setCornerRadius(*b, 6);
    return b;
}

// Rest, hover, pressed, disabled and selected of a designed Button.
void buttonStates(QGridLayout& grid, int row, const QString& name) {
    grid.addWidget(caption(name, 12), row, 0);
    const cg::Color hoverBg = gDark ? cg::Color{0.3, 0.3, 0.34, 1} : cg::Color{0.9, 0.93, 1, 1};
    auto make = [&](const QString& title) {
        auto* b = styled<Button>(title);
        view::setBorderColor(*b, kGrey);
        b->setBgHover(hoverBg);
        b->setBorderHover(kAccent);
        b->awakeFromNib();
        return b;
    };
    grid.addWidget(captioned(make("Export"), "rest"), row, 1);
    auto* hovered = make("Export");
    enter(*hovered);
    grid.addWidget(captioned(hovered, "hover"), row, 2);
    auto* pressed = make("Export");
    enter(*pressed);
    press(*pressed);
    grid.addWidget(captioned(pressed, "pressed"), row, 3);
    auto* disabled = make("Export");
    disabled->setEnabled(false);
    enter(*disabled);
    grid.addWidget(captioned(disabled, "disabled"), row, 4);
    auto* selected = styled<Button>("Selected");
    view::setBorderColor(*selected, kGrey);
    selected->setBgHover(hoverBg);
    selected->setBorderHover(kAccent);
    selected->setMomentaryChange(false);
    selected->setButtonType(ButtonBase::ButtonType::PushOnPushOff);
    selected->setState(ButtonBase::StateValue::On);
    selected->awakeFromNib();
    selected->applyHover(true);
    selected->applyHover(false);
    grid.addWidget(captioned(selected, "selected (on)"), row, 5);
}

void designedButtons(QGridLayout& grid, int row, dispatch::ManualQueue& queue) {
    grid.addWidget(caption("Button, designed", 12), row, 0);
    auto* forced = styled<Button>("Start");
    forced->setBgForced(kAccent);
    button::setTextColor(*forced, cg::Color::whiteColor());
    forced->awakeFromNib();
    grid.addWidget(captioned(forced, "bgForced, white title"), row, 1);
    auto* gradient = styled<Button>("Gradient");
    gradient->setTopColor({0.99, 0.55, 0.25, 1});
    gradient->setBottomColor({0.93, 0.23, 0.45, 1});
    gradient->setStartPoint({0.5, 0});
    gradient->setEndPoint({0.5, 1});
    button::setTextColor(*gradient, cg::Color::whiteColor());
    gradient->setBordered(false);
    gradient->setGradientOn(true);
    gradient->awakeFromNib();
    grid.addWidget(captioned(gradient, "gradient, radius 6"), row, 2);
    auto* shadow = styled<Button>("Shadow");
    view::setBackground(*shadow, gDark ? cg::Color{0.28, 0.28, 0.3, 1} : cg::Color::whiteColor());
    shadow->setBgForced(view::background(*shadow));
    shadow->setShadowOpacity(0.4f);
    shadow->setShadowRadius(3);
    shadow->setShadowOffset({0, -2});
    shadow->setShadowOn(true);
    shadow->awakeFromNib();
    grid.addWidget(captioned(shadow, "shadow"), row, 3);
    auto* padded = styled<ButtonBase>("Padded cell", 130);
    padded->setCell(std::make_unique<ButtonCell>());
    padded->setFixedSize(padded->sizeHint());
    grid.addWidget(captioned(padded, "ButtonCell (14, 12)"), row, 4);
    queue.advance(0.2);  // the gradient and the shadow arrive a tenth of a second later
}

void accentButtons(QGridLayout& grid, int row) {
    grid.addWidget(caption("Button, accent on", 12), row, 0);
    auto* rest = styled<Button>("Accent");
    rest->awakeFromNib();
    grid.addWidget(captioned(rest, "no background, rest"), row, 1);
    auto* hover = styled<Button>("Accent");
    hover->awakeFromNib();
    enter(*hover);
    grid.addWidget(captioned(hover, "no background, hover"), row, 2);
    auto* backed = styled<Button>("Accent");
    view::setBackground(*backed, kAccent);  // as the scene gives it, before awakeFromNib
    backed->setBgForced(kAccent);
    backed->setFontHover(cg::Color::whiteColor());
    button::setTextColor(*backed, cg::Color::whiteColor());
    backed->awakeFromNib();
    enter(*backed);
    backed->applyHover(false);
    grid.addWidget(captioned(backed, "forced background"), row, 3);
    auto* backedHover = styled<Button>("Accent");
    view::setBackground(*backedHover, kAccent);
    backedHover->setBgForced(kAccent);
    backedHover->setBgHover(kAccent);
    button::setTextColor(*backedHover, cg::Color::whiteColor());
    backedHover->awakeFromNib();
    enter(*backedHover);
    grid.addWidget(captioned(backedHover, "forced background, hover"), row, 4);
}

void smallButtons(QGridLayout& grid, int row) {
    grid.addWidget(caption("ButtonAlpha, ButtonImg", 12), row, 0);
    auto alpha = [](const QString& title) {
        auto* b = styled<ButtonAlpha>(title);
        view::setBorderColor(*b, kGrey);
        b->awakeFromNib();
        return b;
    };
    grid.addWidget(captioned(alpha("Alpha"), "alpha rest 0.7"), row, 1);
    auto* hovered = alpha("Alpha");
    enter(*hovered);
    grid.addWidget(captioned(hovered, "alpha hover 1.0"), row, 2);
    auto* disabled = alpha("Alpha");
    disabled->setEnabled(false);
    enter(*disabled);
    grid.addWidget(captioned(disabled, "alpha disabled 0.5"), row, 3);
    auto* templ = new ButtonImg;
    templ->setFixedSize(40, 30);
    templ->setImage(ButtonImage::make(arrow()));
    templ->setIconTemplate(true);
    grid.addWidget(captioned(templ, "ButtonImg template"), row, 4);
    auto* tinted = new ButtonImg;
    tinted->setFixedSize(40, 30);
    tinted->setImage(ButtonImage::make(arrow()));
    tinted->setIconTint({0.9, 0.2, 0.2, 1});
    grid.addWidget(captioned(tinted, "ButtonImg tinted"), row, 5);
}

PopUpButton* popUp() {
    auto* p = new PopUpButton;
    p->setFixedSize(124, 28);
    p->addItems({"JPEG", "PNG", "HEIC"});
    view::setBorderWidth(*p, 1);
    view::setCornerRadius(*p, 6);
    return p;
}

void popUps(QGridLayout& grid, int row, bool accent) {
    grid.addWidget(caption(accent ? "PopUpButton, accent on" : "PopUpButton", 12), row, 0);
    auto* rest = popUp();
    view::setBorderColor(*rest, kGrey);
    rest->awakeFromNib();
    grid.addWidget(captioned(rest, "rest"), row, 1);
    auto* hover = popUp();
    view::setBorderColor(*hover, kGrey);
    hover->setBorderHover(kAccent);
    hover->awakeFromNib();
    enter(*hover);
    grid.addWidget(captioned(hover, "hover"), row, 2);
    auto* backed = popUp();
    view::setBackground(*backed, gDark ? cg::Color{0.3, 0.3, 0.33, 1} : cg::Color{0.93, 0.93, 0.95, 1});
    backed->awakeFromNib();
    backed->applyHover(false);
    grid.addWidget(captioned(backed, "with background"), row, 3);
    auto* disabled = popUp();
    view::setBorderColor(*disabled, kGrey);
    disabled->awakeFromNib();
    disabled->setEnabled(false);
    enter(*disabled);
    grid.addWidget(captioned(disabled, "disabled"), row, 4);
}

void smallControls(QGridLayout& grid, int row) {
    grid.addWidget(caption("Small controls", 12), row, 0);
    auto toggle = [](bool on) {
        auto* t = new ToggleButton;
        t->setFixedSize(40, 30);
        t->setButtonType(ButtonBase::ButtonType::PushOnPushOff);
        t->setImage(ButtonImage::make(arrow(), true));
        if (on) {
            QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier);
            QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(t, &down);
            QCoreApplication::sendEvent(t, &up);
        }
        return t;
    };
    grid.addWidget(captioned(toggle(false), "ToggleButton off"), row, 1);
    grid.addWidget(captioned(toggle(true), "ToggleButton on"), row, 2);
    auto* tokens = new TokenField;
    tokens->setFixedWidth(120);
    tokens->setText(QString(2, QChar(TokenField::tokenCharacter)) + " photo");
    grid.addWidget(captioned(tokens, "TokenField"), row, 3);
    auto* split = new SplitViewLiteDivider;
    split->setFixedSize(120, 30);
    for (const cg::Color& c : {cg::Color{0.35, 0.65, 0.95, 1}, cg::Color{0.95, 0.6, 0.3, 1}}) {
        auto* pane = new appkit::View;
        view::setBackground(*pane, c);
        split->addWidget(pane);
    }
    grid.addWidget(captioned(split, "SplitViewLiteDivider"), row, 4);
    auto* spinner = new KRActivityIndicatorView(cg::Rect(0, 0, 40, 40), std::nullopt,
                                                gDark ? cg::Color::whiteColor() : kAccent, 4.0, nullptr);
    spinner->setFixedSize(40, 40);
    spinner->startAnimating();
    grid.addWidget(captioned(spinner, "KRActivityIndicatorView"), row, 5);
}

void panels(QGridLayout& grid, int row, dispatch::ManualQueue& queue) {
    grid.addWidget(caption("Box, ViewGradient", 12), row, 0);
    auto* pattern = new Box;
    pattern->setFixedSize(112, 56);
    pattern->setImageLookup([](const std::string&) -> std::optional<QImage> {
        QImage tile(8, 8, QImage::Format_ARGB32);
        tile.fill(QColor(gDark ? 60 : 225, gDark ? 60 : 228, gDark ? 66 : 235));
        for (int i = 0; i < 8; ++i) tile.setPixelColor(i, i, QColor(gDark ? 95 : 190, gDark ? 95 : 195, 210));
        return tile;
    });
    pattern->setPatternImage("stripes*16*90");
    grid.addWidget(captioned(pattern, "Box pattern"), row, 1);
    auto* shadowed = new Box;
    shadowed->setFixedSize(112, 56);
    shadowed->setTopColor({0.3, 0.8, 0.7, 1});
    shadowed->setBottomColor({0.2, 0.45, 0.9, 1});
    shadowed->setGradientOn(true);
    shadowed->setShadowOpacity(0.5f);
    shadowed->setShadowRadius(4);
    grid.addWidget(captioned(shadowed, "Box gradient"), row, 2);
    auto* plainShadow = new Box;
    plainShadow->setFixedSize(112, 56);
    plainShadow->setFillColor(gDark ? cg::Color{0.3, 0.3, 0.33, 1} : cg::Color::whiteColor());
    plainShadow->setShadowOpacity(0.5f);
    plainShadow->setShadowRadius(4);
    plainShadow->setShadowOn(true);
    grid.addWidget(captioned(plainShadow, "Box shadow (3, -3)"), row, 3);
    auto* gradient = new ViewGradient;
    gradient->setFixedSize(112, 56);
    view::setCornerRadius(*gradient, 14);
    gradient->setGradientOn(true);
    grid.addWidget(captioned(gradient, "ViewGradient, radius 14"), row, 4);
    queue.advance(0.2);
}

void applyStyle(QApplication& app, bool dark) {
    testsupport::applySceneStyle(app, dark, new controls::ScrollBarStyle);
    SystemAppearance::instance().overrideDesktopIsDark(dark);
    SystemAppearance::instance().overrideAccentColor(kAccent);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3) {
        std::fprintf(stderr, "usage: controls_scenes OUTDIR light|dark\n");
        return 2;
    }
    gDark = QString(argv[2]) == "dark";
    applyStyle(app, gDark);
    auto queue = std::make_shared<dispatch::ManualQueue>("main");
    dispatch::Queue::setMainBackend(queue);
    appkit::AnimationClock::setDurationScale(0);

    QWidget window;
    window.setAutoFillBackground(true);
    auto* grid = new QGridLayout(&window);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    buttonStates(*grid, 0, "Button");
    designedButtons(*grid, 1, *queue);
    smallButtons(*grid, 2);
    popUps(*grid, 3, false);
    smallControls(*grid, 4);
    panels(*grid, 5, *queue);
    appkit::View switcher;
    view::setColorAccent(switcher, true);  // from here on the accent colours apply
    accentButtons(*grid, 6);
    popUps(*grid, 7, true);
    window.show();
    queue->advance(0.2);
    QCoreApplication::processEvents();

    const QString file = QString(argv[1]) + "/controls-gallery-" + (gDark ? "dark" : "light") + ".png";
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    dispatch::Queue::setMainBackend(nullptr);
    return 0;
}
