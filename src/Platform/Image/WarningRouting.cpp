#include "Platform/Image/WarningRouting.h"

#include <tiffio.h>
#include <vips/vips.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string_view>
#include <utility>

#include "Platform/Image/CodecMessages.h"
#include "Platform/Image/WarningLog.h"

namespace image::detail {

namespace {

// Set after libvips' "read gave N warnings" line, whose next message dumps its whole error text.
thread_local bool tExpectingDump = false;

// libtiff's errors, on the thread that decodes: libvips words them only in the error text that every
// thread shares, where a strip that failed in a read libvips then completes is lost. libtiff calls this
// handler besides the one libvips sets.
void routeTiffError(thandle_t, const char* module, const char* format, va_list arguments) {
    const auto& log = currentWarningLog();
    if (!log) return;
    std::array<char, 512> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    // libvips asks libtiff whether every file it is given is a TIFF: a refusal then says nothing of
    // the file.
    const std::string_view said = text.data();
    if (said.starts_with("Not a TIFF") || said.starts_with("Cannot read TIFF header")) return;
    log->add(module && *module ? std::string(module) + ": " + text.data() : std::string(text.data()));
}

void routeMessage(const gchar*, GLogLevelFlags, const gchar* message, gpointer) {
    const std::string_view text = message ? message : "";
    const bool dump = std::exchange(tExpectingDump, false);
    tExpectingDump = jpegWarningCountIn(text).has_value();
    // The dump is the error text of every thread: which of its lines are this decoder's cannot be
    // told (the verdict asks libjpeg for its own account of the file instead).
    if (dump) return;
    if (const auto& log = currentWarningLog()) log->add(std::string(text));
}

}  // namespace

void installWarningHandler() {
    g_log_set_handler("VIPS", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE), routeMessage,
                      nullptr);
    TIFFSetErrorHandlerExt(routeTiffError);
    routeCodecMessages();
}

}  // namespace image::detail
