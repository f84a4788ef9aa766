#pragma once
// Helpers on view controllers the screens use to make collection items from the storyboard and to
// swap or detach child controllers. Main thread only.

#include <memory>
#include <string>

#include "Platform/AppKit/CollectionViewItem.h"
#include "Platform/AppKit/TransitionOptions.h"
#include "Platform/AppKit/ViewController.h"

namespace viewcontroller {

// A new collection item for the identifier, from the controller's own storyboard; nullptr when
// the controller has no storyboard or the scene is not an item.
std::shared_ptr<appkit::CollectionViewItem> instantiateController(const appkit::ViewController& controller,
                                                                  const std::string& identifier);
// Transitions the parent from `controller` to its sibling at `index`, then detaches `controller`
// (from its parent, then its view). Nothing without a parent or with an index outside the children.
void transitionToSibling(appkit::ViewController& controller, appkit::TransitionOptions options, int index);
// Removes `controller` from its parent, then its view from its superview.
void removeFromParentAndView(appkit::ViewController& controller);

}  // namespace viewcontroller
