#include "Screens/Activity/ResultItemVC.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Platform/AppKit/Fonts.h"
#include "Screens/Activity/ActivityImageView.h"

appkit::View* ResultItemVC::makeItemView() {
    auto* v = new appkit::View;
    v->resize(110, 110);  // its designed size, before autoresizing places anything
    v->setWantsLayer(true);
    v->layer()->cornerRadius = 6;
    v->layerDidChange();
    auto* column = new QVBoxLayout(v);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(2);

    // The subviews in the order the grid expects them.
    auto* background = new appkit::View;
    v->addSubview(background);
    background->setGeometry(0, 0, 110, 110);
    background->setAutoresizingMask(appkit::Autoresizing::WidthSizable | appkit::Autoresizing::HeightSizable);
    background->lower();
    auto* thumbnail = new ActivityImageView;
    v->addSubview(thumbnail);
    column->addWidget(thumbnail, 1);
    auto* strip = new appkit::View;
    v->addSubview(strip);
    strip->hide();
    auto* spare = new appkit::View;
    v->addSubview(spare);
    spare->hide();
    auto* button = new QPushButton;
    v->addSubview(button);
    button->hide();
    auto* name = new QLabel;
    name->setTextFormat(Qt::PlainText);
    name->setFont(appkit::systemFont(11, QFont::Medium));
    v->addSubview(name);
    column->addWidget(name);
    auto* size = new QLabel;
    size->setTextFormat(Qt::PlainText);
    size->setFont(appkit::systemFont(10));
    size->setStyleSheet("color: gray");
    v->addSubview(size);
    column->addWidget(size);
    for (QWidget* w :
         {static_cast<QWidget*>(thumbnail), static_cast<QWidget*>(name), static_cast<QWidget*>(size)})
        w->show();
    return v;
}

void ResultItemVC::loadView() {
    setView(makeItemView());
}
