#include "Screens/Setup/AddPresetNewVC.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "Controls/PushButton.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/PresetDetailsTableVC.h"
#include "Screens/Setup/PresetEditorModel.h"
#include "Screens/Setup/SetupControls.h"

namespace {

constexpr int kBarThickness = 6;
constexpr int kAreaInset = 8;

// The size indicator: the width bar runs along its bottom edge, the height bar along its left edge,
// whatever shape it takes.
class SizeIndicator : public appkit::View {
  public:
    SizeIndicator(QWidget* parent) : appkit::View(parent) {
        for (const char* name : {"Width", "Height"}) {
            auto* bar = new appkit::View;
            bar->setAccessibleName(QString::fromLatin1(name));
            addSubview(bar);
        }
        view::setCornerRadius(*this, 4);
        layoutBars();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        appkit::View::resizeEvent(event);
        layoutBars();
    }

  private:
    void layoutBars() {
        const auto bars = subviews();
        if (bars.size() < 2) return;
        bars[0]->setGeometry(0, height() - kBarThickness, width(), kBarThickness);
        bars[1]->setGeometry(0, 0, kBarThickness, height());
    }
};

// What the size preview shows before a size is picked: a neutral picture icon, not an empty frame.
class PresetIcon : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor ink = palette().color(QPalette::WindowText);
        ink.setAlphaF(0.38f);
        painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        const QRectF photo(QRectF(rect()).center() - QPointF(26, 20), QSizeF(52, 40));
        painter.drawRoundedRect(photo, 6, 6);
        painter.drawEllipse(QPointF(photo.left() + 15, photo.top() + 12), 4, 4);
        QPainterPath hills;
        hills.moveTo(photo.left() + 5, photo.bottom() - 6);
        hills.lineTo(photo.left() + 20, photo.top() + 20);
        hills.lineTo(photo.left() + 30, photo.top() + 29);
        hills.lineTo(photo.left() + 37, photo.top() + 22);
        hills.lineTo(photo.right() - 5, photo.bottom() - 6);
        painter.drawPath(hills);
    }
};

}  // namespace

AddPresetNewVC::AddPresetNewVC() {
    setIdentifier(ids::scene::AddPresetNewVC);
}

void AddPresetNewVC::loadView() {
    auto* root = new appkit::View;
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 20, 0, 16);
    column->setSpacing(12);

    auto* head = new QHBoxLayout;
    head->setContentsMargins(24, 0, 24, 0);
    head->setSpacing(16);
    // The 100 x 100 area the indicator moves in sits inset in a framed box, as a card's size box.
    auto* box = new appkit::View(root);
    box->setFixedSize(100 + 2 * kAreaInset, 100 + 2 * kAreaInset);
    view::setCornerRadius(*box, 10);
    view::setBorderWidth(*box, 1);
    view::setBorderColor(*box, setup::separatorColour());
    auto* area = new appkit::View(box);
    area->setGeometry(kAreaInset, kAreaInset, 100, 100);
    area->setAccessibleName(QStringLiteral("Size preview"));
    placeholderIcon = new PresetIcon(area);
    placeholderIcon->setGeometry(0, 0, 100, 100);
    placeholderIcon->setAccessibleName(QStringLiteral("No size chosen"));
    indicatorHolderView = new SizeIndicator(area);
    indicatorHolderView->setFrame(cg::Rect(20, 20, 60, 60));
    indicatorHolderView->hide();
    head->addWidget(box);
    auto* titles = new QVBoxLayout;
    titles->addStretch(1);
    titles->addWidget(setup::makeCaption(QStringLiteral("New Preset"), 20, true));
    auto* hint = setup::makeCaption(
        QStringLiteral("Choose a size, give it a name and pick the format its images are saved in."), 13,
        false, true);
    hint->setWordWrap(true);
    titles->addWidget(hint);
    titles->addStretch(1);
    head->addLayout(titles, 1);
    column->addLayout(head);

    auto* details = new appkit::View(root);
    column->addWidget(details, 1);
    embedScene(ids::scene::PresetDetailsTableVC, details);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(24, 0, 24, 0);
    bar->addStretch(1);
    btnCancel =
        new controls::PushButton(QStringLiteral("Cancel"), controls::PushButton::Role::Secondary, root);
    btnCancel->setAction([this](controls::ButtonBase&) { onCancel(); });
    btnDone = new controls::PushButton(QStringLiteral("Done"), controls::PushButton::Role::Primary, root);
    btnDone->setAction([this](controls::ButtonBase&) { onDone(); });
    bar->addWidget(btnCancel);
    bar->addWidget(btnDone);
    column->addLayout(bar);
    setView(root);
}

void AddPresetNewVC::viewDidLoad() {
    // The details page fills its place in the layout.
    if (auto* details = firstChild<PresetDetailsTableVC>()) {
        QWidget* place = details->view()->parentWidget();
        if (place && !place->layout()) {
            auto* fill = new QVBoxLayout(place);
            fill->setContentsMargins(0, 0, 0, 0);
            fill->addWidget(details->view());
        }
    }
}

void AddPresetNewVC::updatePreview(const core::PresetInfo& size) {
    if (!indicatorHolderView) return;
    const setup::IndicatorLook look = setup::indicatorLook(size);
    const auto bars = indicatorHolderView->subviews();
    if (bars.size() >= 2) {
        for (QWidget* bar : {bars[1], bars[0]})
            if (auto* v = qobject_cast<appkit::View*>(bar)) view::setBackground(*v, look.tint);
        if (auto* w = qobject_cast<appkit::View*>(bars[0])) w->setAlphaValue(look.widthAlpha);
        if (auto* h = qobject_cast<appkit::View*>(bars[1])) h->setAlphaValue(look.heightAlpha);
    }
    view::setBackground(*indicatorHolderView, look.background);
    if (placeholderIcon) placeholderIcon->hide();
    indicatorHolderView->show();
    if (const auto frame = setup::indicatorFrame(size))
        appkit::animator(*indicatorHolderView).setFrame(*frame);
}

void AddPresetNewVC::onDone() {
    savePreset();
}

void AddPresetNewVC::savePreset() {
    auto* details =
        children().empty() ? nullptr : dynamic_cast<PresetDetailsTableVC*>(children().front().get());
    if (!details) return;
    auto preset = details->buildPresetDictionary();
    if (!preset) return;
    setup::finalisePresetName(*preset);
    if (addPreset) addPreset(*preset);
    if (ViewController* container = parent()) container->dismiss();
}

void AddPresetNewVC::onCancel() {
    if (ViewController* container = parent()) container->dismiss();
}
