#include "Core/Rename/SafeName.h"

namespace core {

std::string safePathComponent(std::string_view name, std::string_view fallback) {
    if (name.empty()) return fallback.empty() ? "_" : safePathComponent(fallback, "_");
    std::string safe;
    safe.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080...U+009F in UTF-8
            safe += '_';
            ++i;
        } else if (byte == '/' || byte < 0x20 || byte == 0x7F) {
            safe += '_';
        } else {
            safe += static_cast<char>(byte);
        }
    }
    if (safe == "." || safe == "..") return "_";
    return safe;
}

}  // namespace core
