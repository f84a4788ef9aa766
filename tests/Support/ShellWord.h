#pragma once
// Paths put into /bin/sh command lines by tests.

#include <filesystem>
#include <string>

namespace testsupport {

// `path` as one word of /bin/sh whatever it holds: the checkout or the temporary folder may lie in a folder
// such as "Bob's".
std::string shellWord(const std::filesystem::path& path);

}  // namespace testsupport
