#include "Extensions/AppKit/CollectionHelpers.h"

namespace array {

namespace {
void flattenInto(const std::vector<std::any>& list, std::vector<std::any>& out) {
    for (const auto& element : list) {
        if (const auto* nested = std::any_cast<std::vector<std::any>>(&element))
            flattenInto(*nested, out);
        else
            out.push_back(element);
    }
}
}  // namespace

std::vector<std::any> flattened(const std::vector<std::any>& list) {
    std::vector<std::any> out;
    flattenInto(list, out);
    return out;
}

}  // namespace array

namespace arraycontroller {

void removeAllContent(appkit::ArrayController& controller) {
    if (controller.content()) controller.content()->clear();
    controller.rearrangeObjects();
}

}  // namespace arraycontroller

namespace predicate {

appkit::Predicate notPredicate(const appkit::Predicate& p) {
    return appkit::Predicate::notPredicate(p);
}
appkit::Predicate andPredicate(const appkit::Predicate& p, const appkit::Predicate& other) {
    return appkit::Predicate::andPredicate({p, other});
}
appkit::Predicate orPredicate(const appkit::Predicate& p, const appkit::Predicate& other) {
    return appkit::Predicate::orPredicate({p, other});
}

}  // namespace predicate

appkit::Predicate operator!(const appkit::Predicate& p) {
    return predicate::notPredicate(p);
}
appkit::Predicate operator&&(const appkit::Predicate& left, const appkit::Predicate& right) {
    return predicate::andPredicate(left, right);
}
appkit::Predicate operator||(const appkit::Predicate& left, const appkit::Predicate& right) {
    return predicate::orPredicate(left, right);
}
appkit::Predicate operator-(const appkit::Predicate& left, const appkit::Predicate& right) {
    return predicate::andPredicate(left, !right);
}
