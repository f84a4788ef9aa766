#include "Platform/AppKit/ViewController.h"

#include <QDialog>
#include <QEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>
#include <cstdio>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/SheetDimmer.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Platform/AppKit/Window.h"
#include "Platform/AppKit/WindowEdge.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {

// A shared handle on a controller: the owning one when it is shared, a non-owning one otherwise.
std::shared_ptr<ViewController> handle(ViewController* controller) {
    if (auto owned = controller->weak_from_this().lock()) return owned;
    return std::shared_ptr<ViewController>(std::shared_ptr<void>(), controller);
}

// Where a view starts (slide in) or ends (slide out), relative to its resting place.
QPoint slideOffset(TransitionOptions options, QSize size, Qt::LayoutDirection direction, bool incoming) {
    using namespace TransitionOption;
    int dx = 0, dy = 0;
    bool left = options & SlideLeft, right = options & SlideRight;
    if (options & 0x100) {
        // Forward and backward follow the reading direction.
        left = left == (direction == Qt::LeftToRight);
        right = !left;
    }
    if (left) dx = size.width();
    if (right) dx = -size.width();
    // Up: the new content rises from below.
    if (options & SlideUp) dy = size.height();
    if (options & SlideDown) dy = -size.height();
    return incoming ? QPoint(dx, dy) : QPoint(-dx, -dy);
}

}  // namespace

ViewController::ViewController() = default;

ViewController::~ViewController() {
    for (auto& child : children_) child->parent_ = nullptr;
    if (sheet_) delete sheet_.data();
    if (view_) delete view_.data();
}

View* ViewController::view() {
    if (!view_ && !loadingView_) {
        loadingView_ = true;
        loadView();
        if (!view_) setView(new View);
        loadingView_ = false;
        viewDidLoad();
    }
    return qobject_cast<View*>(view_);
}

void ViewController::loadView() {
    setView(new View);
}

void ViewController::setView(View* view) {
    if (view_) view_->removeEventFilter(this);
    view_ = view;
    if (view_) view_->installEventFilter(this);
}

bool ViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_.data()) {
        if (event->type() == QEvent::Show) {
            viewWillAppear();
            viewDidAppear();
        } else if (event->type() == QEvent::Hide) {
            viewWillDisappear();
            viewDidDisappear();
        }
    }
    return QObject::eventFilter(watched, event);
}

Window* ViewController::window() const {
    return view_ ? Window::of(view_) : nullptr;
}

void ViewController::addChild(std::shared_ptr<ViewController> child) {
    insertChild(std::move(child), children_.size());
}

void ViewController::insertChild(std::shared_ptr<ViewController> child, std::size_t index) {
    if (!child || child.get() == this) return;
    if (child->parent_) child->removeFromParent();
    child->parent_ = this;
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(std::min(index, children_.size())),
                     std::move(child));
}

void ViewController::removeChild(std::size_t index) {
    if (index >= children_.size()) return;
    auto child = children_[index];
    child->parent_ = nullptr;
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    // The caller may be a member of the child; let it finish before the child can go away.
    dispatch::Queue::main().async([child] {});
}

void ViewController::removeFromParent() {
    if (!parent_) return;
    const auto& siblings = parent_->children_;
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == this) {
            parent_->removeChild(i);
            return;
        }
    }
}

void ViewController::completeRunningTransition() {
    if (!runningTransition_) return;
    QAbstractAnimation* animation = runningTransition_;
    animation->setCurrentTime(animation->totalDuration());
    if (runningTransition_) runningTransition_->stop();
}

void ViewController::transition(ViewController& from, ViewController& to, TransitionOptions options,
                                std::function<void()> completion) {
    completeRunningTransition();
    if (&from == &to) {
        if (completion) completion();
        return;
    }
    View* container = view();
    View* fromView = from.view();
    View* toView = to.view();
    const QRect area = fromView->parentWidget() == container ? fromView->geometry() : container->rect();
    container->addSubview(toView);
    toView->setGeometry(area);

    QPointer<ViewController> self(this);
    QPointer<View> leaving(fromView);
    const double fromAlpha = fromView->alphaValue(), toAlpha = toView->alphaValue();
    // Both ends stay alive until the transition is over (when they are shared objects).
    auto keep = std::make_pair(handle(&from), handle(&to));
    QPointer<View> arriving(toView);
    auto finish = [self, leaving, arriving, area, fromAlpha, toAlpha, keep,
                   completion = std::move(completion)] {
        if (leaving) {
            View::removeFromSuperview(leaving);
            leaving->setGeometry(area);
            leaving->setAlphaValue(fromAlpha);
        }
        if (arriving) arriving->setAlphaValue(toAlpha);
        if (self) self->runningTransition_ = nullptr;
        if (completion) completion();
    };

    using namespace TransitionOption;
    const TransitionOptions animating = Crossfade | SlideUp | SlideDown | SlideLeft | SlideRight;
    const int ms = AnimationClock::scaledMilliseconds(AnimationClock::transitionDuration);
    if (ms == 0 || !(options & animating)) {
        finish();
        return;
    }
    auto* group = new QParallelAnimationGroup(this);
    if (options & (SlideUp | SlideDown | SlideLeft | SlideRight)) {
        const auto direction = container->layoutDirection();
        for (auto [view, incoming] : {std::pair{toView, true}, std::pair{fromView, false}}) {
            auto* slide = new QPropertyAnimation(view, "pos");
            slide->setDuration(ms);
            slide->setEasingCurve(QEasingCurve::InOutQuad);
            const QPoint rest = area.topLeft(),
                         away = rest + slideOffset(options, area.size(), direction, incoming);
            slide->setStartValue(incoming ? away : rest);
            slide->setEndValue(incoming ? rest : away);
            group->addAnimation(slide);
        }
        toView->move(area.topLeft() + slideOffset(options, area.size(), direction, true));
    }
    if (options & Crossfade) {
        auto* fade = new QVariantAnimation;
        fade->setDuration(ms);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        QPointer<View> in(toView), out(fromView);
        QObject::connect(fade, &QVariantAnimation::valueChanged,
                         [in, out, fromAlpha, toAlpha](const QVariant& v) {
                             const double t = v.toDouble();
                             if (in) in->setAlphaValue(toAlpha * t);
                             if (out) out->setAlphaValue(fromAlpha * (1 - t));
                         });
        toView->setAlphaValue(0);
        group->addAnimation(fade);
    }
    connect(group, &QAbstractAnimation::finished, this, [finish, group] {
        finish();
        group->deleteLater();
    });
    runningTransition_ = group;
    group->start();
}

void ViewController::performSegue(const std::string& identifier, std::any sender) {
    Storyboard* board = storyboard_ ? storyboard_ : &Storyboard::main();
    const auto row = board->segue(identifier_, identifier);
    if (!row) {
        std::printf("No segue \"%s\" from scene \"%s\"\n", identifier.c_str(), identifier_.c_str());
        return;
    }
    auto destination = board->instantiateController(row->destination);
    if (!destination) {
        std::printf("No scene \"%s\" for segue \"%s\"\n", row->destination.c_str(), identifier.c_str());
        return;
    }
    auto segue = row->kind == SegueKind::Embed
                     ? std::make_unique<EmbedSegue>(identifier, handle(this), destination, nullptr)
                     : makeSegue(row->kind, identifier, handle(this), destination);
    prepareForSegue(*segue, sender);
    segue->perform();
}

void ViewController::prepareForSegue(StoryboardSegue&, const std::any&) {}

ViewController* ViewController::embedSegue(const std::string& identifier, View* container) {
    Storyboard* board = storyboard_ ? storyboard_ : &Storyboard::main();
    const auto row = board->segue(identifier_, identifier);
    if (!row) {
        std::printf("No embed \"%s\" in scene \"%s\"\n", identifier.c_str(), identifier_.c_str());
        return nullptr;
    }
    auto destination = board->instantiateController(row->destination);
    if (!destination) return nullptr;
    EmbedSegue segue(identifier, handle(this), destination, container);
    prepareForSegue(segue, {});
    segue.perform();
    return destination.get();
}

ViewController* ViewController::embedScene(const std::string& sceneIdentifier, View* container) {
    Storyboard* board = storyboard_ ? storyboard_ : &Storyboard::main();
    auto destination = board->instantiateController(sceneIdentifier);
    if (!destination) return nullptr;
    EmbedSegue segue("", handle(this), destination, container);
    prepareForSegue(segue, {});
    segue.perform();
    return destination.get();
}

void ViewController::presentAsSheet(std::shared_ptr<ViewController> controller) {
    if (!controller || controller->presenting_) return;
    Window* owner = window();
    auto* sheet = new QDialog(owner, Qt::Sheet);
    sheet->setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(controller->view());
    controller->view()->show();
    controller->presenting_ = this;
    controller->sheet_ = sheet;
    presented_.push_back(controller);
    QPointer<ViewController> self(this);
    ViewController* presented = controller.get();
    connect(sheet, &QDialog::finished, this, [self, presented] {
        if (self) self->dismiss(presented);
    });
    new WindowEdge(sheet, WindowEdge::kSheetRadius);
    if (owner) {
        owner->attachSheet(sheet);
        // The window behind waits on the sheet: it is dimmed, and the sheet casts its shadow on it.
        new SheetDimmer(owner, sheet, WindowEdge::kSheetRadius);
    }
    sheet->show();
}

void ViewController::dismiss(ViewController* presented) {
    auto it = std::find_if(presented_.begin(), presented_.end(),
                           [presented](const auto& p) { return p.get() == presented; });
    if (it == presented_.end()) return;
    auto controller = *it;
    presented_.erase(it);
    controller->presenting_ = nullptr;
    if (QDialog* sheet = controller->sheet_) {
        sheet->disconnect(this);
        if (controller->view_) View::removeFromSuperview(controller->view_);
        sheet->hide();
        sheet->deleteLater();
    }
    // The dismissed controller may be the caller; it goes away once the caller has returned.
    dispatch::Queue::main().async([controller] {});
}

}  // namespace appkit
