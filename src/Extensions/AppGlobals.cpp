#include "Extensions/AppGlobals.h"

#include <atomic>

namespace {
std::atomic<AppDelegate*> gAppDelegate{nullptr};
}

AppDelegate* appDelegate() {
    return gAppDelegate.load(std::memory_order_acquire);
}

void setAppDelegate(AppDelegate* delegate) {
    gAppDelegate.store(delegate, std::memory_order_release);
}

foundation::UserDefaults& userDefaults() {
    return foundation::UserDefaults::standard();
}

std::optional<std::string> appNameOf(const foundation::Bundle& bundle) {
    const auto* value = bundle.objectForInfoDictionaryKey("CFBundleName");
    if (!value) return std::nullopt;
    return value->toString();
}

const std::optional<std::string>& appName() {
    static const std::optional<std::string> name = appNameOf(foundation::Bundle::main());
    return name;
}
