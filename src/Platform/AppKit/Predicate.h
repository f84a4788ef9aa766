#pragma once
// Predicate: a test on a value, either a basic test with a descriptive format or a compound of
// others (not, and, or), as array controllers filter with. A plain value; evaluation has no side
// effects of its own.

#include <any>
#include <functional>
#include <string>
#include <vector>

namespace appkit {

class Predicate {
  public:
    enum class Kind { Basic, Not, And, Or };

    Predicate(std::string format, std::function<bool(const std::any&)> test);
    static Predicate notPredicate(const Predicate& predicate);
    static Predicate andPredicate(std::vector<Predicate> subpredicates);
    static Predicate orPredicate(std::vector<Predicate> subpredicates);

    Kind kind() const { return kind_; }
    const std::vector<Predicate>& subpredicates() const { return subpredicates_; }
    std::string format() const;
    bool evaluate(const std::any& value) const;

  private:
    Predicate(Kind kind, std::vector<Predicate> subpredicates)
        : kind_(kind), subpredicates_(std::move(subpredicates)) {}

    Kind kind_ = Kind::Basic;
    std::string format_;
    std::function<bool(const std::any&)> test_;
    std::vector<Predicate> subpredicates_;
};

}  // namespace appkit
