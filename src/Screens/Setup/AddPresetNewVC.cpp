#include "Screens/Setup/AddPresetNewVC.h"

#include <QHBoxLayout>
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
    auto* area = new appkit::View(root);
    area->setFixedSize(100, 100);
    view::setCornerRadius(*area, 8);
    view::setBorderWidth(*area, 1);
    view::setBorderColor(*area, setup::separatorColour());
    area->setAccessibleName(QStringLiteral("Size preview"));
    indicatorHolderView = new SizeIndicator(area);
    indicatorHolderView->setFrame(cg::Rect(20, 20, 60, 60));
    view::setBorderWidth(*indicatorHolderView, 1);
    view::setBorderColor(*indicatorHolderView, setup::separatorColour());
    head->addWidget(area);
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
