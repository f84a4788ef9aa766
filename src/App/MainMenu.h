#pragma once
// The menu bar's titles carry a placeholder where the application's name belongs; these put the
// name in, through submenus at any depth. Main thread only.

#include <string>

namespace appkit {
class Menu;
class MenuItem;
}  // namespace appkit

namespace mainmenu {

// "Vorta Pro_macOS" becomes `name`, then "Welcome to Vorta" becomes "Welcome to " + name.
std::string retitledText(const std::string& title, const std::string& name);
void retitleMenuItem(appkit::MenuItem& item, const std::string& name);
void retitleMenu(appkit::Menu& menu, const std::string& name);
// The application's name for the titles: `appName`, or "Vorta Pro" when there is none.
std::string menuAppName(const std::string& appName);

}  // namespace mainmenu
