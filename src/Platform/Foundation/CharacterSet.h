#pragma once
// CharacterSet: a set of Unicode scalars, either one of Foundation's predefined classes or the
// scalars of a given text, optionally inverted. A plain value; safe from any thread.

#include <string>
#include <string_view>

#include "Platform/Foundation/TextServices.h"

namespace foundation {

class CharacterSet {
  public:
    CharacterSet(CharacterClass characterClass) : class_(characterClass), predefined_(true) {}
    // The set of the scalars of `members`.
    static CharacterSet characters(std::string_view members);

    CharacterSet inverted() const;
    bool contains(char32_t scalar) const;

  private:
    CharacterSet() = default;

    CharacterClass class_ = CharacterClass::Letters;
    bool predefined_ = false;
    bool inverted_ = false;
    std::u32string members_;
};

}  // namespace foundation
