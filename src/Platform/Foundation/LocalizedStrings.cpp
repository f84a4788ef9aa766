#include "Platform/Foundation/LocalizedStrings.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Platform/Foundation/JsonSerialization.h"

namespace foundation {
namespace {

void addLanguage(std::vector<std::string>& out, std::string tag) {
    tag = tag.substr(0, tag.find_first_of(".@"));
    if (tag.empty() || tag == "C" || tag == "POSIX") return;
    for (const std::string& candidate : {tag, tag.substr(0, tag.find('_'))})
        if (std::find(out.begin(), out.end(), candidate) == out.end()) out.push_back(candidate);
}

}  // namespace

std::vector<std::string> preferredLanguages() {
    std::vector<std::string> out;
    if (const char* list = std::getenv("LANGUAGE"); list && *list) {
        std::stringstream items(list);
        for (std::string item; std::getline(items, item, ':');) addLanguage(out, item);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            addLanguage(out, value);
            break;
        }
    }
    return out;
}

std::string localizedString(const Bundle& bundle, std::string_view key,
                            const std::vector<std::string>& languages) {
    for (const std::string& language : languages) {
        const auto path = bundle.resourcePath() / "translations" / (language + ".json");
        std::ifstream file(path, std::ios::binary);
        if (!file) continue;
        std::stringstream bytes;
        bytes << file.rdbuf();
        const auto table = readJson(bytes.str());
        if (!table) continue;
        if (const PlistValue* entry = table->find(key))
            if (const auto text = entry->toString()) return *text;
    }
    return std::string(key);
}

}  // namespace foundation
