#pragma once
// Whether this build runs under a sanitizer. AddressSanitizer and ThreadSanitizer pad every allocation
// and keep shadow memory, so a test that measures this process's memory says nothing under them.

namespace testsupport {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool underSanitizer = true;
#else
inline constexpr bool underSanitizer = false;
#endif

}  // namespace testsupport
