#include "Extensions/DictionaryExtensions.h"

#include "Platform/Foundation/JsonSerialization.h"
#include "Platform/Foundation/TextServices.h"

namespace dict {

namespace {

template <class D>
void lowercaseKeys(D& d) {
    std::vector<std::string> originals;
    for (const auto& entry : d) originals.push_back(entry.first);
    for (const std::string& key : originals) {
        std::string lower = foundation::lowercased(key);
        if (lower == key || d.contains(lower)) continue;
        auto node = d.extract(key);
        node.key() = std::move(lower);
        d.insert(std::move(node));
    }
}

}  // namespace

void lowercaseAllKeys(foundation::PlistDictionary& d) {
    lowercaseKeys(d);
}

void lowercaseAllKeys(std::map<std::string, std::string, std::less<>>& d) {
    lowercaseKeys(d);
}

std::optional<foundation::PlistValue> value(const foundation::PlistDictionary& d,
                                            const std::vector<std::string>& path) {
    if (path.empty()) return std::nullopt;
    const foundation::PlistDictionary* current = &d;
    for (std::size_t i = 0;; ++i) {
        const auto it = current->find(path[i]);
        if (it == current->end()) return std::nullopt;
        if (i + 1 == path.size()) return it->second;
        current = it->second.dictionaryIf();
        if (current == nullptr) return std::nullopt;
    }
}

void setValue(foundation::PlistDictionary& d, const std::vector<std::string>& path,
              foundation::PlistValue newValue) {
    if (path.empty()) return;
    foundation::PlistDictionary* current = &d;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const auto it = current->find(path[i]);
        if (it == current->end()) return;
        current = it->second.dictionaryIf();
        if (current == nullptr) return;
    }
    current->insert_or_assign(path.back(), std::move(newValue));
}

std::optional<foundation::Data> jsonData(const foundation::PlistDictionary& d, bool prettify) {
    return foundation::jsonData(foundation::PlistValue(d), prettify);
}

std::optional<std::string> jsonString(const foundation::PlistDictionary& d, bool prettify) {
    const auto data = jsonData(d, prettify);
    if (!data) return std::nullopt;
    return std::string(data->begin(), data->end());
}

}  // namespace dict
