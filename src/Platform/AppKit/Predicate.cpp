#include "Platform/AppKit/Predicate.h"

#include <algorithm>

namespace appkit {

Predicate::Predicate(std::string format, std::function<bool(const std::any&)> test)
    : format_(std::move(format)), test_(std::move(test)) {}

Predicate Predicate::notPredicate(const Predicate& predicate) {
    return Predicate(Kind::Not, {predicate});
}
Predicate Predicate::andPredicate(std::vector<Predicate> subpredicates) {
    return Predicate(Kind::And, std::move(subpredicates));
}
Predicate Predicate::orPredicate(std::vector<Predicate> subpredicates) {
    return Predicate(Kind::Or, std::move(subpredicates));
}

std::string Predicate::format() const {
    switch (kind_) {
        case Kind::Basic:
            return format_;
        case Kind::Not:
            return "NOT " + subpredicates_.front().format();
        case Kind::And:
        case Kind::Or: {
            std::string text;
            for (const auto& sub : subpredicates_) {
                if (!text.empty()) text += kind_ == Kind::And ? " AND " : " OR ";
                text += "(" + sub.format() + ")";
            }
            return text.empty() ? (kind_ == Kind::And ? "TRUEPREDICATE" : "FALSEPREDICATE") : text;
        }
    }
    return format_;
}

bool Predicate::evaluate(const std::any& value) const {
    switch (kind_) {
        case Kind::Basic:
            return test_ && test_(value);
        case Kind::Not:
            return !subpredicates_.front().evaluate(value);
        case Kind::And:
            return std::all_of(subpredicates_.begin(), subpredicates_.end(),
                               [&](const Predicate& p) { return p.evaluate(value); });
        case Kind::Or:
            return std::any_of(subpredicates_.begin(), subpredicates_.end(),
                               [&](const Predicate& p) { return p.evaluate(value); });
    }
    return false;
}

}  // namespace appkit
