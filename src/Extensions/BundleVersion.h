#pragma once
// The version text of an application bundle, as the launch record stores it. Safe from any thread.

#include <optional>
#include <string>

#include "Platform/Foundation/Bundle.h"

namespace bundle {

// "CFBundleShortVersionString" of the information dictionary; absent without a dictionary, without
// that key, or when its value is not text.
std::optional<std::string> appVersion(const foundation::Bundle& bundle = foundation::Bundle::main());

}  // namespace bundle
