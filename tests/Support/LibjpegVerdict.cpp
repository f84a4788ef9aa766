#include "Support/LibjpegVerdict.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace testsupport {

namespace {

struct Judge {
    jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is a pointer to the judge
    std::jmp_buf stop;
    LibjpegVerdict verdict;
    bool corrupt = false;
};

// libjpeg's own codes for data that is corrupt or missing.
bool isCorruptData(int code) {
    switch (code) {
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_NOT_SEQUENTIAL:
            return true;
        default:
            return false;
    }
}

void note(j_common_ptr info, int level) {
    if (level >= 0) return;
    auto& judge = *reinterpret_cast<Judge*>(info->err);
    ++judge.verdict.warnings;
    if (judge.corrupt || !isCorruptData(info->err->msg_code)) return;
    judge.corrupt = true;
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    judge.verdict.words = text;
}

[[noreturn]] void fail(j_common_ptr info) {
    auto& judge = *reinterpret_cast<Judge*>(info->err);
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    if (!judge.corrupt) judge.verdict.words = text;
    std::longjmp(judge.stop, 1);
}

}  // namespace

LibjpegVerdict libjpegVerdict(const std::string& jpeg) {
    Judge judge;
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&judge.manager);
    judge.manager.emit_message = note;
    judge.manager.error_exit = fail;
    std::vector<JSAMPLE> row;
    if (setjmp(judge.stop) == 0) {
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
        jpeg_read_header(&info, TRUE);
        jpeg_start_decompress(&info);
        judge.verdict.width = int(info.output_width);
        judge.verdict.height = int(info.output_height);
        row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
        JSAMPROW rows[1] = {row.data()};
        while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
        jpeg_finish_decompress(&info);
        judge.verdict.readsWhole = !judge.corrupt;
    }
    jpeg_destroy_decompress(&info);
    return judge.verdict;
}

}  // namespace testsupport
