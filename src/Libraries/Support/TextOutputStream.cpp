#include "Libraries/Support/TextOutputStream.h"

#include <cstdio>

namespace support {

void StderrOutputStream::write(std::string_view text) {
    const std::string cString(text.substr(0, text.find('\0')));
    std::fputs(cString.c_str(), stderr);
}

}  // namespace support
