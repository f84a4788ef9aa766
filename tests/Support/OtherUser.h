#pragma once
// The user "nobody", for tests that run as root and need someone whom modes and owners bind.

#include <sys/types.h>

#include <filesystem>

namespace testsupport {

inline constexpr uid_t kNobody = 65534;

// In a child process, before it runs anything: whether it now runs as nobody.
bool becomeNobody();

// Whether nobody may do `mode` (as access(2) takes it) to `path`, asked as that user in a child
// process: only the kernel knows every folder on the way, its mode, its mount and its owner.
bool nobodyMay(const std::filesystem::path& path, int mode);

// Where a test puts what nobody must reach: the temporary folder, or, for root where TMPDIR names a
// private one (as pam_tmpdir sets), the first shared one nobody may enter and run a program from.
std::filesystem::path placeNobodyReaches();

}  // namespace testsupport
