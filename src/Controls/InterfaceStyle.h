#pragma once
// InterfaceStyle: whether the user runs the desktop light or dark. `current()` is read anew at every
// call: a "AppleInterfaceStyle" text in the settings wins; otherwise the desktop's colour scheme
// decides (SystemAppearance). Main thread only.

#include <optional>
#include <string>
#include <string_view>

#include "Libraries/Colour/Contrast.h"
#include "Platform/Graphics/Color.h"

namespace foundation {
class UserDefaults;
}

namespace controls {

enum class InterfaceStyle { Dark, Light };

namespace interfacestyle {

inline constexpr char settingsKey[] = "AppleInterfaceStyle";

std::string rawValue(InterfaceStyle style);
// "Dark" and "Light" exactly (case-sensitive); anything else is absent.
std::optional<InterfaceStyle> fromRawValue(std::string_view raw);
// A stored text other than "Dark" or "Light" counts as the light style.
InterfaceStyle current();
// The same, reading the setting from `settings` instead of the application's.
InterfaceStyle current(const foundation::UserDefaults& settings);
// The colour library's name for the style.
colour::Appearance appearance(InterfaceStyle style);
// The colour for ordinary text in the current style (light text on a dark desktop).
cg::Color defaultTextColor();

}  // namespace interfacestyle

}  // namespace controls
