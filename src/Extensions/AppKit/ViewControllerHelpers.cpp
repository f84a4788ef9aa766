#include "Extensions/AppKit/ViewControllerHelpers.h"

#include <QPointer>

#include "Platform/AppKit/Storyboard.h"

namespace viewcontroller {

std::shared_ptr<appkit::CollectionViewItem> instantiateController(const appkit::ViewController& controller,
                                                                  const std::string& identifier) {
    appkit::Storyboard* storyboard = controller.storyboard();
    if (!storyboard) return nullptr;
    return std::dynamic_pointer_cast<appkit::CollectionViewItem>(
        storyboard->instantiateController(identifier));
}

void transitionToSibling(appkit::ViewController& controller, appkit::TransitionOptions options, int index) {
    appkit::ViewController* parent = controller.parent();
    if (!parent) return;
    const auto& siblings = parent->children();
    if (index < 0 || static_cast<std::size_t>(index) >= siblings.size()) return;
    auto sibling = siblings[static_cast<std::size_t>(index)];
    if (sibling.get() == &controller) return;
    QPointer<appkit::ViewController> leaving(&controller);
    parent->transition(controller, *sibling, options, [leaving] {
        if (leaving) removeFromParentAndView(*leaving);
    });
}

void removeFromParentAndView(appkit::ViewController& controller) {
    controller.removeFromParent();
    if (controller.isViewLoaded()) appkit::View::removeFromSuperview(controller.view());
}

}  // namespace viewcontroller
