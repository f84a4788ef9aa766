#include "Platform/Image/CodecMessages.h"

#include <dav1d/dav1d.h>
#include <dlfcn.h>

#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "Platform/Image/WarningLog.h"

namespace image::detail {

namespace {

using Dav1dOpen = int (*)(Dav1dContext**, const Dav1dSettings*);

// dav1d's own dav1d_open, the next one after the executable's.
Dav1dOpen realDav1dOpen() {
    static const auto real = reinterpret_cast<Dav1dOpen>(::dlsym(RTLD_NEXT, "dav1d_open"));
    return real;
}

void routeDav1dMessage(void*, const char* format, va_list arguments) {
    const auto& log = currentWarningLog();
    if (!log) return;
    std::array<char, 512> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    log->add("dav1d: " + std::string(text.data()));
}

}  // namespace

void routeCodecMessages() {
    realDav1dOpen();
}

}  // namespace image::detail

// Every dav1d decoder libheif opens, with a logger of its own.
extern "C" int dav1d_open(Dav1dContext** context, const Dav1dSettings* settings) {
    const auto real = image::detail::realDav1dOpen();
    if (!real) return DAV1D_ERR(ENOSYS);
    Dav1dSettings routed = *settings;
    routed.logger = {nullptr, image::detail::routeDav1dMessage};
    return real(context, &routed);
}
