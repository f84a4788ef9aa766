#include "Extensions/BundleVersion.h"

namespace bundle {

std::optional<std::string> appVersion(const foundation::Bundle& bundle) {
    const foundation::PlistValue* value = bundle.objectForInfoDictionaryKey("CFBundleShortVersionString");
    if (!value) return std::nullopt;
    return value->toString();
}

}  // namespace bundle
