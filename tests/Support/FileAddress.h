#pragma once
// File addresses of local paths, as a browser or a file manager hands them over.

#include <filesystem>
#include <string>

namespace testsupport {

// "file://" and `path` with every byte but letters, digits, "-._~" and "/" percent-encoded: the temporary
// folder may hold spaces, which an address never does.
std::string fileAddress(const std::filesystem::path& path);

}  // namespace testsupport
