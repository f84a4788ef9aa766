#include "App/MainMenu.h"

#include "Platform/AppKit/Menu.h"

namespace mainmenu {

namespace {

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

std::string retitledText(const std::string& title, const std::string& name) {
    return replacedAll(replacedAll(title, "Vorta Pro_macOS", name), "Welcome to Vorta", "Welcome to " + name);
}

void retitleMenuItem(appkit::MenuItem& item, const std::string& name) {
    item.setTitle(QString::fromStdString(retitledText(item.title().toStdString(), name)));
    if (auto* submenu = qobject_cast<appkit::Menu*>(item.menu())) retitleMenu(*submenu, name);
}

void retitleMenu(appkit::Menu& menu, const std::string& name) {
    menu.setTitle(QString::fromStdString(retitledText(menu.title().toStdString(), name)));
    for (appkit::MenuItem* item : menu.items()) retitleMenuItem(*item, name);
}

std::string menuAppName(const std::string& appName) {
    return appName.empty() ? "Vorta Pro" : appName;
}

}  // namespace mainmenu
