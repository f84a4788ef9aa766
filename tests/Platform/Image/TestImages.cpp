#include "TestImages.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace imagetest {

vips::VImage solid(int w, int h, const std::vector<double>& colour) {
    auto image = (vips::VImage::black(w, h) + colour).cast(VIPS_FORMAT_UCHAR);
    return image.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

vips::VImage halves(int w, int h, const std::vector<double>& top, const std::vector<double>& bottom) {
    return solid(w, h / 2, top).join(solid(w, h - h / 2, bottom), VIPS_DIRECTION_VERTICAL);
}

vips::VImage stripes(int w, int h, const std::vector<double>& left, const std::vector<double>& centre,
                     const std::vector<double>& right) {
    const int third = w / 3;
    return solid(third, h, left)
        .join(solid(third, h, centre), VIPS_DIRECTION_HORIZONTAL)
        .join(solid(w - 2 * third, h, right), VIPS_DIRECTION_HORIZONTAL);
}

void save(const vips::VImage& image, const std::filesystem::path& path, vips::VOption* options) {
    image.write_to_file(path.c_str(), options);
}

std::vector<double> meanAt(const vips::VImage& image, int x, int y, int w, int h) {
    const auto area = image.extract_area(x, y, w, h);
    std::vector<double> means;
    for (int b = 0; b < area.bands(); ++b) means.push_back(area.extract_band(b).avg());
    return means;
}

std::string jpegClaimingSize(int width, int height) {
    void* buffer = nullptr;
    size_t length = 0;
    solid(16, 16, {10, 20, 30}).write_to_buffer(".jpg", &buffer, &length);
    std::string bytes(static_cast<const char*>(buffer), length);
    g_free(buffer);
    for (size_t i = 2; i + 9 < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
            static_cast<unsigned char>(bytes[i + 1]) == 0xC0) {
            bytes[i + 5] = char(height >> 8);
            bytes[i + 6] = char(height & 0xFF);
            bytes[i + 7] = char(width >> 8);
            bytes[i + 8] = char(width & 0xFF);
            return bytes;
        }
    }
    throw std::runtime_error("no baseline frame header in the generated JPEG");
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace imagetest
