#include "Controls/InterfaceStyle.h"

#include "Controls/SystemAppearance.h"
#include "Extensions/AppGlobals.h"

namespace controls::interfacestyle {

std::string rawValue(InterfaceStyle style) {
    return style == InterfaceStyle::Dark ? "Dark" : "Light";
}

std::optional<InterfaceStyle> fromRawValue(std::string_view raw) {
    if (raw == "Dark") return InterfaceStyle::Dark;
    if (raw == "Light") return InterfaceStyle::Light;
    return std::nullopt;
}

InterfaceStyle current() {
    return current(userDefaults());
}

InterfaceStyle current(const foundation::UserDefaults& settings) {
    if (const auto stored = settings.string(settingsKey))
        return fromRawValue(*stored).value_or(InterfaceStyle::Light);
    return SystemAppearance::instance().desktopIsDark() ? InterfaceStyle::Dark : InterfaceStyle::Light;
}

colour::Appearance appearance(InterfaceStyle style) {
    return style == InterfaceStyle::Dark ? colour::Appearance::dark : colour::Appearance::light;
}

cg::Color defaultTextColor() {
    return colour::defaultTextColor(appearance(current()));
}

}  // namespace controls::interfacestyle
