#include "Platform/Foundation/CharacterSet.h"

namespace foundation {

CharacterSet CharacterSet::characters(std::string_view members) {
    CharacterSet set;
    set.members_ = scalars(members);
    return set;
}

CharacterSet CharacterSet::inverted() const {
    CharacterSet set = *this;
    set.inverted_ = !inverted_;
    return set;
}

bool CharacterSet::contains(char32_t scalar) const {
    const bool in = predefined_ ? isMember(scalar, class_) : members_.find(scalar) != std::u32string::npos;
    return in != inverted_;
}

}  // namespace foundation
