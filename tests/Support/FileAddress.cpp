#include "Support/FileAddress.h"

#include <cctype>
#include <cstdio>

namespace testsupport {

std::string fileAddress(const std::filesystem::path& path) {
    std::string address = "file://";
    for (const unsigned char c : path.string()) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            address += char(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            address += escaped;
        }
    }
    return address;
}

}  // namespace testsupport
