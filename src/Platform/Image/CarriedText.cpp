#include "Platform/Image/CarriedText.h"

#include <cctype>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace image::detail {

namespace {

constexpr std::string_view kTextPrefix = "png-comment-";

// Whether the PNG saver writes the entry named `field`. libvips takes its keyword as the first word
// after the entry's number, up to 80 bytes; libpng turns every byte that is not printable Latin-1 into
// a space, trims the spaces and refuses a keyword left empty.
bool writable(std::string_view field) {
    field.remove_prefix(kTextPrefix.size());
    const auto dash = field.find('-');
    if (dash == std::string_view::npos) return false;
    std::string_view keyword = field.substr(dash + 1);
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!keyword.empty() && isSpace(keyword.front())) keyword.remove_prefix(1);
    keyword = keyword.substr(0, 80);
    for (const char c : keyword) {
        if (isSpace(c)) break;
        const auto byte = static_cast<unsigned char>(c);
        if ((byte > 32 && byte < 127) || byte > 160) return true;
    }
    return false;
}

}  // namespace

void dropUnwritableText(vips::VImage& image) {
    const std::unique_ptr<gchar*, void (*)(gchar**)> fields(vips_image_get_fields(image.get_image()),
                                                            g_strfreev);
    std::vector<std::string> dropped;
    for (gchar** field = fields.get(); *field; ++field) {
        const std::string_view name = *field;
        if (name.starts_with(kTextPrefix) && !writable(name)) dropped.emplace_back(name);
    }
    for (const auto& name : dropped) image.remove(name.c_str());
}

}  // namespace image::detail
