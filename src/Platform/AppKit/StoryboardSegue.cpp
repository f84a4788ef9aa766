#include "Platform/AppKit/StoryboardSegue.h"

#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"

namespace appkit {

namespace {

constexpr unsigned kBothSizes = Autoresizing::WidthSizable | Autoresizing::HeightSizable;
constexpr unsigned kHeightOnly = Autoresizing::HeightSizable;

void turnOnLayers(std::initializer_list<ViewController*> controllers) {
    for (auto* c : controllers) c->view()->setWantsLayer(true);
}

void setMasks(unsigned mask, std::initializer_list<ViewController*> controllers) {
    for (auto* c : controllers) c->view()->setAutoresizingMask(mask);
}

// Removes `old` (by identity) from `container`; the index the old child had may have moved
// when another segue of the same container ran in between.
void removeChild(ViewController& container, const std::shared_ptr<ViewController>& old) {
    const auto& children = container.children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (children[i] == old) {
            container.removeChild(i);
            return;
        }
    }
}

}  // namespace

StoryboardSegue::StoryboardSegue(std::string identifier, std::shared_ptr<ViewController> source,
                                 std::shared_ptr<ViewController> destination)
    : identifier_(std::move(identifier)), source_(std::move(source)), destination_(std::move(destination)) {}

void AnimationSegue::perform() {
    if (!source_ || !destination_ || !source_->parent()) return;
    ViewController* parent = source_->parent();
    parent->completeRunningTransition();
    auto old = source_;
    parent->addChild(destination_);
    turnOnLayers({parent, source_.get(), destination_.get()});
    const cg::Size size = parent->view()->frame().size;
    auto keepParent = parent->weak_from_this().lock();
    parent->transition(*source_, *destination_, segueTransitionOptions(identifier_),
                       [parent, keepParent, old] { removeChild(*parent, old); });
    setMasks(kBothSizes, {parent, source_.get(), destination_.get()});
    animator(*source_->view()).setFrameSize(size);
    animator(*destination_->view()).setFrameSize(size);
}

void AnimationSegueWin::perform() {
    if (!source_ || !destination_ || !source_->parent()) return;
    ViewController* parent = source_->parent();
    parent->completeRunningTransition();
    auto old = source_;
    parent->insertChild(destination_, 1);
    const cg::Size destinationSize = destination_->view()->frame().size;
    turnOnLayers({source_.get(), destination_.get(), parent});
    parent->transition(*source_, *destination_, segueTransitionOptions(identifier_));
    setMasks(kBothSizes, {parent, source_.get(), destination_.get()});
    if (Window* window = parent->window()) {
        const cg::Rect wf = window->frame();
        const cg::Size ps = parent->view()->frame().size;
        const cg::Rect target(wf.origin.x - (destinationSize.width - ps.width) / 2,
                              wf.origin.y - (destinationSize.height - ps.height) / 2, destinationSize.width,
                              destinationSize.height);
        window->setFrame(target, true, true);
    }
    removeChild(*parent, old);
}

void AnimationSeguePop::perform() {
    if (!source_ || !destination_ || !source_->parent()) return;
    ViewController* parent = source_->parent();
    parent->completeRunningTransition();
    auto old = source_;
    parent->insertChild(destination_, 1);
    const cg::Size size = parent->view()->frame().size;
    turnOnLayers({source_.get(), destination_.get(), parent});
    parent->transition(*source_, *destination_, segueTransitionOptions(identifier_));
    setMasks(kHeightOnly, {parent, source_.get(), destination_.get()});
    animator(*source_->view()).setFrameSize(size);
    animator(*destination_->view()).setFrameSize(size);
    removeChild(*parent, old);
}

void AnimationSegueChild::perform() {
    if (!source_ || !destination_) return;
    // A segue of this container still sliding ends first, so its old child is gone before the
    // next one is picked.
    source_->completeRunningTransition();
    if (!source_->children().empty()) {
        transitionToDestination();
        return;
    }
    View* container = source_->view();
    source_->insertChild(destination_, 0);
    View* view = destination_->view();
    container->addSubview(view);
    view->setGeometry(container->rect());
    container->setAutoresizingMask(kBothSizes);
    view->setAutoresizingMask(kBothSizes);
}

void AnimationSegueChild::transitionToDestination() {
    auto old = source_->children().front();
    source_->insertChild(destination_, 1);
    const cg::Size size = source_->view()->frame().size;
    turnOnLayers({destination_.get(), source_.get()});
    ViewController* container = source_.get();
    auto keep = source_;
    source_->transition(*old, *destination_, segueTransitionOptions(identifier_),
                        [container, keep, old] { removeChild(*container, old); });
    setMasks(kBothSizes, {source_.get(), destination_.get()});
    animator(*destination_->view()).setFrameSize(size);
    destination_->view()->setNeedsDisplay();
}

void AnimationSegueSub::perform() {
    if (!source_ || !destination_) return;
    source_->completeRunningTransition();
    if (source_->children().empty()) return;
    auto old = source_->children().front();
    source_->insertChild(destination_, 1);
    const cg::Size size = source_->view()->frame().size;
    turnOnLayers({destination_.get(), source_.get()});
    source_->transition(*old, *destination_, segueTransitionOptions(identifier_));
    setMasks(kBothSizes, {source_.get(), destination_.get()});
    animator(*destination_->view()).setFrameSize(size);
    destination_->view()->setNeedsDisplay();
}

EmbedSegue::EmbedSegue(std::string identifier, std::shared_ptr<ViewController> source,
                       std::shared_ptr<ViewController> destination, View* container)
    : StoryboardSegue(std::move(identifier), std::move(source), std::move(destination)),
      container_(container) {}

void EmbedSegue::perform() {
    if (!source_ || !destination_) return;
    View* container = container_ ? container_ : source_->view();
    source_->addChild(destination_);
    View* view = destination_->view();
    container->addSubview(view);
    view->setGeometry(container->rect());
    view->setAutoresizingMask(kBothSizes);
}

void SheetSegue::perform() {
    if (source_ && destination_) source_->presentAsSheet(destination_);
}

std::unique_ptr<StoryboardSegue> makeSegue(SegueKind kind, std::string identifier,
                                           std::shared_ptr<ViewController> source,
                                           std::shared_ptr<ViewController> destination) {
    switch (kind) {
        case SegueKind::Swap:
            return std::make_unique<AnimationSegue>(identifier, source, destination);
        case SegueKind::Win:
            return std::make_unique<AnimationSegueWin>(identifier, source, destination);
        case SegueKind::Pop:
            return std::make_unique<AnimationSeguePop>(identifier, source, destination);
        case SegueKind::Child:
            return std::make_unique<AnimationSegueChild>(identifier, source, destination);
        case SegueKind::Sub:
            return std::make_unique<AnimationSegueSub>(identifier, source, destination);
        case SegueKind::Sheet:
            return std::make_unique<SheetSegue>(identifier, source, destination);
        case SegueKind::Embed:
            return std::make_unique<EmbedSegue>(identifier, source, destination, nullptr);
    }
    return nullptr;
}

}  // namespace appkit
