#include "Platform/Foundation/StringTable.h"

#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/LocalizedStrings.h"

namespace foundation {

const StringTable& StringTable::main() {
    static const StringTable table = [] {
        StringTable bundleTable;
        bundleTable.readsBundle_ = true;
        return bundleTable;
    }();
    return table;
}

std::string StringTable::localizedString(const std::string& key) const {
    if (readsBundle_) return foundation::localizedString(Bundle::main(), key);
    const auto it = texts_.find(key);
    return it == texts_.end() ? key : it->second;
}

}  // namespace foundation
