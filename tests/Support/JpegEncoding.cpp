#include "Support/JpegEncoding.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace testsupport {

namespace {

// libjpeg's defaults (chroma halved both ways) at `quality`, with `restartRows` and `script` (when not
// empty) set.
std::string encoded(const std::string& rgb, int width, int height, int quality, int restartRows,
                    const std::vector<jpeg_scan_info>& script) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.restart_in_rows = restartRows;
    if (!script.empty()) {
        info.scan_info = script.data();
        info.num_scans = int(script.size());
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row[1] = {reinterpret_cast<JSAMPLE*>(const_cast<char*>(rgb.data())) +
                           std::size_t(info.next_scanline) * std::size_t(width) * 3};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string jpeg(reinterpret_cast<const char*>(out), size);
    std::free(out);
    return jpeg;
}

}  // namespace

std::string jpegOf(const std::string& rgb, int width, int height, int quality, int restartRows) {
    return encoded(rgb, width, height, quality, restartRows, {});
}

std::string jpegOf380Scans(const std::string& rgb, int width, int height) {
    // The DC coefficients of all channels in two scans, each AC coefficient of each channel in two.
    std::vector<jpeg_scan_info> script;
    for (const int high : {0, 1}) {
        const int low = 1 - high;
        script.push_back({3, {0, 1, 2, 0}, 0, 0, high, low});
        for (int component = 0; component < 3; ++component) {
            for (int k = 1; k < DCTSIZE2; ++k) script.push_back({1, {component, 0, 0, 0}, k, k, high, low});
        }
    }
    return encoded(rgb, width, height, 85, 0, script);
}

}  // namespace testsupport
