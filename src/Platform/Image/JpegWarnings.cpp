#include "Platform/Image/JpegWarnings.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace image::detail {

namespace {

struct Reporter {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the reporter
    std::jmp_buf stop;
    JpegReport report;
};

std::string messageText(j_common_ptr info) {
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    return text;
}

// libjpeg prints warnings on standard error and ends the process on errors: both are collected.
void collectMessage(j_common_ptr info, int level) {
    if (level >= 0) return;  // traces
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    reporter->report.warnings.push_back(messageText(info));
}

[[noreturn]] void stopAtError(j_common_ptr info) {
    auto* reporter = reinterpret_cast<Reporter*>(info->err);
    reporter->report.failure = messageText(info);
    std::longjmp(reporter->stop, 1);
}

bool startsAsJpeg(std::FILE* file) {
    unsigned char head[2] = {};
    const bool jpeg = std::fread(head, 1, 2, file) == 2 && head[0] == 0xFF && head[1] == 0xD8;
    std::rewind(file);
    return jpeg;
}

// Decodes `file` to its end at one eighth of its size; what libjpeg reports goes to `reporter`.
// Nothing here owns a resource across the jump back from an error.
void decode(std::FILE* file, Reporter& reporter, std::vector<JSAMPLE>& row) {
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&reporter.manager);
    reporter.manager.emit_message = collectMessage;
    reporter.manager.error_exit = stopAtError;
    if (setjmp(reporter.stop) == 0) {
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.scale_num = 1;
        info.scale_denom = 8;
        info.dct_method = JDCT_IFAST;
        jpeg_start_decompress(&info);
        row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
        JSAMPROW rows[1] = {row.data()};
        while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
}

}  // namespace

std::optional<JpegReport> readJpegWarnings(const std::filesystem::path& file) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"), std::fclose);
    if (!in || !startsAsJpeg(in.get())) return std::nullopt;
    Reporter reporter;
    std::vector<JSAMPLE> row;
    decode(in.get(), reporter, row);
    return std::move(reporter.report);
}

}  // namespace image::detail
