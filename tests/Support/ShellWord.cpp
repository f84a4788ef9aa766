#include "Support/ShellWord.h"

namespace testsupport {

std::string shellWord(const std::filesystem::path& path) {
    std::string word = "'";
    for (const char c : path.string()) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

}  // namespace testsupport
