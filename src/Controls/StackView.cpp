#include "Controls/StackView.h"

#include <QResizeEvent>
#include <algorithm>

#include "Controls/Button.h"
#include "Extensions/AppKit/PathHelpers.h"
#include "Platform/AppKit/BezierPath.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

constexpr double kMarkDelay = 0.1;
constexpr int kTexturedRoundedBezel = 11;
constexpr double kOverflowAlpha = 0.75;

std::vector<ButtonBase*> buttonsAmong(const std::vector<QWidget*>& views) {
    std::vector<ButtonBase*> buttons;
    for (QWidget* v : views)
        if (auto* b = qobject_cast<ButtonBase*>(v)) buttons.push_back(b);
    return buttons;
}

void removeSelectionMarks(appkit::View& button) {
    appkit::Layer* layer = button.layer();
    if (!layer) return;
    auto& subs = layer->sublayers;
    subs.erase(std::remove_if(subs.begin(), subs.end(),
                              [](const auto& l) { return l->name == StackView::kSelectionMarkName; }),
               subs.end());
    button.layerDidChange();
}

double lengthAlong(const QWidget* view, StackView::Orientation orientation) {
    const QSize base = view->sizeHint().isValid() ? view->sizeHint() : view->size();
    const QSize hint = base.expandedTo(view->minimumSize()).boundedTo(view->maximumSize());
    return orientation == StackView::Orientation::Horizontal ? hint.width() : hint.height();
}

}  // namespace

StackView::StackView(QWidget* parent) : appkit::View(parent), update(&StackView::defaultUpdate) {}

StackView::~StackView() = default;

void StackView::setVisibilityPriority(bool value) {
    visibilityPriority_ = value;
    assignVisibilityPriorities();
}

void StackView::assignVisibilityPriorities() {
    const auto subs = subviews();
    float priority = static_cast<float>(subs.size());
    for (QWidget* v : subs) setVisibilityPriorityForView(v, priority--);
}

float StackView::visibilityPriorityForView(const QWidget* view) const {
    const auto it = priorities_.find(view);
    return it == priorities_.end() ? 1000.0f : it->second;
}

void StackView::setVisibilityPriorityForView(QWidget* view, float priority) {
    priorities_[view] = priority;
    layoutViews();
}

void StackView::setUnderSelection(bool value) {
    underSelection_ = value;
    applyUnderSelection();
}

void StackView::applyUnderSelection() {
    const auto subs = subviews();
    for (ButtonBase* b : buttonsAmong(subs)) b->setState(ButtonBase::StateValue::Off);
    if (underSelected == -1) return;
    // Any index outside the subviews, negative ones included, selects nothing.
    if (underSelected >= 0 && underSelected < static_cast<long long>(subs.size())) {
        if (auto* b = qobject_cast<ButtonBase*>(subs[static_cast<std::size_t>(underSelected)]))
            b->setState(ButtonBase::StateValue::On);
    }
    appkit::postToMainAfter(this, kMarkDelay, [this] { drawSelectionUnderline(); });
}

void StackView::drawSelectionUnderline() {
    if (!underSelection_) return;
    for (ButtonBase* b : buttonsAmong(subviews())) {
        b->setWantsLayer(true);
        setWantsLayer(true);
        // A redraw replaces the marks a button has; it never adds a second one.
        removeSelectionMarks(*b);
        if (b->state() != ButtonBase::StateValue::On) continue;
        markButton(*b);
    }
}

void StackView::markButton(ButtonBase& button) {
    if (underStyle == 1) {
        button.setButtonType(ButtonBase::ButtonType::Toggle);
        if (auto* styled = qobject_cast<Button*>(&button)) styled->applyHover(true);
        return;
    }
    auto mark = std::make_shared<appkit::Layer>(appkit::Layer::Kind::Shape);
    mark->name = kSelectionMarkName;
    const cg::Rect b = button.bounds();
    if (underStyle == 2) {
        layer()->masksToBounds = true;
        layerDidChange();
        mark->frame = cg::Rect(b.origin.x, b.origin.y + 2, b.size.width, b.size.height - 4);
        mark->autoresizingMask = 18;
        mark->cornerRadius = underRadius.x;
        mark->masksToBounds = true;
        mark->borderColor = underColor;
        mark->borderWidth = underOffset.x;
        mark->fillColor.reset();
    } else {
        const double w = b.size.width, h = b.size.height;
        const cg::Rect bar = underOffset.x == 0 ? cg::Rect((w - w * underSize) * 0.5, h - underOffset.y,
                                                           w * underSize, underOffset.y)
                                                : cg::Rect(0, 0, underOffset.x, h * underSize);
        mark->frame = b;
        QPainterPath path;
        path.addRoundedRect(QRectF(bar.origin.x, bar.origin.y, bar.size.width, bar.size.height),
                            std::max(0.0, underRadius.x), std::max(0.0, underRadius.y));
        mark->path = path;
        mark->fillColor = underColor;
    }
    button.layer()->addSublayer(mark);
    button.layerDidChange();
}

void StackView::selectButton(ButtonBase& button) {
    if (!underSelection_) return;
    for (ButtonBase* b : buttonsAmong(subviews())) {
        b->setState(ButtonBase::StateValue::Off);
        b->setWantsLayer(true);
        if (underStyle != 1) removeSelectionMarks(*b);
    }
    button.setState(ButtonBase::StateValue::On);
    drawSelectionUnderline();
}

int StackView::selectionMarkCount(const appkit::View& button) {
    const appkit::Layer* layer = button.layer();
    if (!layer) return 0;
    return static_cast<int>(std::count_if(layer->sublayers.begin(), layer->sublayers.end(),
                                          [](const auto& l) { return l->name == kSelectionMarkName; }));
}

Button& StackView::overflowRevealButton() {
    if (!overflow_) {
        overflow_ = new Button;
        overflow_->setBezelStyle(kTexturedRoundedBezel);
        overflow_->setButtonType(ButtonBase::ButtonType::PushOnPushOff);
        overflow_->setTitle("...");
        overflow_->setAlphaValue(kOverflowAlpha);
        overflow_->setAction([this](ButtonBase& sender) { popUpOverflowMenu(&sender); });
    }
    return *overflow_;
}

std::unique_ptr<appkit::Menu> StackView::overflowMenu() const {
    const auto buttons = buttonsAmong(detached_);
    if (buttons.empty()) return nullptr;
    auto menu = std::make_unique<appkit::Menu>("Detached Items");
    for (ButtonBase* b : buttons) {
        if (b->title().isEmpty()) continue;
        QPointer<ButtonBase> target(b);
        appkit::MenuItem* item = menu->addItem(b->title(), [target](appkit::MenuItem&) {
            if (target) target->performClick();
        });
        item->setTag(b->tag());
        item->setEnabled(b->isEnabled());
        item->setRepresentedObject(target);
    }
    return menu;
}

void StackView::popUpOverflowMenu(QWidget* sender) {
    auto* button = qobject_cast<ButtonBase*>(sender);
    if (!button) return;
    Button& reveal = overflowRevealButton();
    const QPoint location(0, reveal.height());  // the lower left corner of the "..." button
    selectButton(*button);
    std::unique_ptr<appkit::Menu> menu = overflowMenu();
    if (!menu) return;
    if (shownMenu_) shownMenu_->deleteLater();
    shownMenu_ = menu.release();
    shownMenu_->setParent(this, Qt::Popup);
    shownMenu_->setAttribute(Qt::WA_DeleteOnClose);
    shownMenu_->popUp(-1, location, &reveal);
}

void StackView::stackViewWillDetachViews(const std::vector<QWidget*>&) {
    attachOverflowRevealButton();
}

void StackView::stackViewDidReattachViews(const std::vector<QWidget*>&) {
    if (detached_.empty() && overflow_ && overflow_->parentWidget() == this) {
        removeFromSuperview(overflow_);
    }
}

void StackView::attachOverflowRevealButton() {
    if (!detached_.empty()) return;
    Button& reveal = overflowRevealButton();
    addSubview(&reveal);
    reveal.show();
}

void StackView::setOrientation(Orientation orientation) {
    orientation_ = orientation;
    layoutViews();
}

void StackView::setSpacing(double spacing) {
    spacing_ = spacing;
    layoutViews();
}

void StackView::addView(QWidget* view) {
    if (!view || std::find(views_.begin(), views_.end(), view) != views_.end()) return;
    addSubview(view);
    views_.push_back(view);
    layoutViews();
}

void StackView::removeView(QWidget* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
    detached_.erase(std::remove(detached_.begin(), detached_.end(), view), detached_.end());
    priorities_.erase(view);
    removeFromSuperview(view);
    layoutViews();
}

void StackView::defaultUpdate(StackView& stack, const std::vector<QWidget*>& views) {
    for (QWidget* v : std::vector<QWidget*>(stack.views())) stack.removeView(v);
    for (QWidget* v : views) stack.addView(v);
}

void StackView::resizeEvent(QResizeEvent* event) {
    appkit::View::resizeEvent(event);
    layoutViews();
}

void StackView::layoutViews() {
    const bool across = orientation_ == Orientation::Horizontal;
    const double room = across ? width() : height();
    const double revealLength = overflow_ ? lengthAlong(overflow_, orientation_) : 24;
    auto needed = [&](const std::vector<QWidget*>& shown, bool withReveal) {
        double total = 0;
        for (QWidget* v : shown) total += lengthAlong(v, orientation_) + (total > 0 ? spacing_ : 0);
        return total + (withReveal ? revealLength + spacing_ : 0);
    };
    // Views keep their places; those of lowest priority leave first (the later one on a tie).
    std::vector<QWidget*> shown;
    for (QWidget* v : views_) shown.push_back(v);
    std::vector<QWidget*> leaving;
    while (!shown.empty() && needed(shown, !leaving.empty() || false) > room) {
        auto lowest = std::min_element(shown.rbegin(), shown.rend(), [&](QWidget* a, QWidget* b) {
            return visibilityPriorityForView(a) < visibilityPriorityForView(b);
        });
        leaving.push_back(*lowest);
        shown.erase(std::next(lowest).base());
        if (needed(shown, true) <= room) break;
    }
    std::vector<QWidget*> nowDetached, nowBack;
    for (QWidget* v : leaving)
        if (std::find(detached_.begin(), detached_.end(), v) == detached_.end()) nowDetached.push_back(v);
    for (QWidget* v : detached_)
        if (std::find(leaving.begin(), leaving.end(), v) == leaving.end()) nowBack.push_back(v);
    if (!nowDetached.empty()) stackViewWillDetachViews(nowDetached);
    detached_.clear();
    for (QWidget* v : views_)
        if (std::find(leaving.begin(), leaving.end(), v) != leaving.end()) detached_.push_back(v);
    for (QWidget* v : views_) v->setVisible(std::find(shown.begin(), shown.end(), v) != shown.end());
    if (!nowBack.empty()) stackViewDidReattachViews(nowBack);

    double at = 0;
    for (QWidget* v : shown) {
        const double length = lengthAlong(v, orientation_);
        if (across)
            v->setGeometry(static_cast<int>(at), 0, static_cast<int>(length), height());
        else
            v->setGeometry(0, static_cast<int>(at), width(), static_cast<int>(length));
        at += length + spacing_;
    }
    if (overflow_ && overflow_->parentWidget() == this) {
        // Pinned to the trailing edge, top to bottom.
        const int w = static_cast<int>(revealLength);
        overflow_->setGeometry(width() - w, 0, w, height());
        overflow_->raise();
    }
}

}  // namespace controls
