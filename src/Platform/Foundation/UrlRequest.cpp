#include "Platform/Foundation/UrlRequest.h"

#include <algorithm>
#include <cctype>

namespace foundation {

void UrlRequest::setValue(std::string value, const std::string& field) {
    const auto sameName = [&](const auto& entry) {
        return std::ranges::equal(entry.first, field, [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    if (const auto it = std::ranges::find_if(headerFields, sameName); it != headerFields.end()) {
        it->second = std::move(value);
    } else {
        headerFields.emplace_back(field, std::move(value));
    }
}

}  // namespace foundation
