#pragma once
// Flattening nested lists, emptying an array controller, and composing predicates.

#include <any>
#include <vector>

#include "Platform/AppKit/ArrayController.h"
#include "Platform/AppKit/Predicate.h"

namespace array {

// Every element that is itself a list (std::vector<std::any>) replaced by its own flattened
// elements, depth first; other elements unchanged.
std::vector<std::any> flattened(const std::vector<std::any>& list);

}  // namespace array

namespace arraycontroller {

// Empties the content (when there is one) and rearranges.
void removeAllContent(appkit::ArrayController& controller);

}  // namespace arraycontroller

namespace predicate {

appkit::Predicate notPredicate(const appkit::Predicate& p);
appkit::Predicate andPredicate(const appkit::Predicate& p, const appkit::Predicate& other);
appkit::Predicate orPredicate(const appkit::Predicate& p, const appkit::Predicate& other);

}  // namespace predicate

appkit::Predicate operator!(const appkit::Predicate& p);
appkit::Predicate operator&&(const appkit::Predicate& left, const appkit::Predicate& right);
appkit::Predicate operator||(const appkit::Predicate& left, const appkit::Predicate& right);
// left and not right.
appkit::Predicate operator-(const appkit::Predicate& left, const appkit::Predicate& right);
