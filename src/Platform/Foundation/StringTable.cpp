#include "Platform/Foundation/StringTable.h"

namespace foundation {

const StringTable& StringTable::main() {
    static const StringTable table;
    return table;
}

std::string StringTable::localizedString(const std::string& key) const {
    const auto it = texts_.find(key);
    return it == texts_.end() ? key : it->second;
}

}  // namespace foundation
