#include "Platform/Image/SourceView.h"

#include <cstdio>
#include <mutex>

namespace image::detail {

namespace {

// The view, read at a position of its own.
class View {
  public:
    View(ViewReader read, std::uint64_t length) : read_(std::move(read)), length_(std::int64_t(length)) {}

    gint64 read(std::uint8_t* into, gint64 wanted) {
        const std::lock_guard lock(mutex_);
        if (wanted <= 0 || position_ >= length_) return 0;
        const auto got =
            read_(std::uint64_t(position_), into, std::size_t(std::min(wanted, length_ - position_)));
        if (got > 0) position_ += got;
        return got;
    }

    gint64 seek(gint64 offset, int whence) {
        const std::lock_guard lock(mutex_);
        const gint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position_ : length_;
        if (base + offset < 0) return -1;
        position_ = base + offset;
        return position_;
    }

  private:
    std::mutex mutex_;
    ViewReader read_;
    std::int64_t length_;
    std::int64_t position_ = 0;
};

gint64 readView(VipsSourceCustom*, void* buffer, gint64 length, gpointer view) {
    return static_cast<View*>(view)->read(static_cast<std::uint8_t*>(buffer), length);
}

gint64 seekView(VipsSourceCustom*, gint64 offset, int whence, gpointer view) {
    return static_cast<View*>(view)->seek(offset, whence);
}

}  // namespace

vips::VSource viewSource(ViewReader read, std::uint64_t length) {
    VipsSourceCustom* custom = vips_source_custom_new();
    auto* view = new View(std::move(read), length);
    g_object_set_data_full(G_OBJECT(custom), "vorta-view", view,
                           [](gpointer p) { delete static_cast<View*>(p); });
    g_signal_connect(custom, "read", G_CALLBACK(readView), view);
    g_signal_connect(custom, "seek", G_CALLBACK(seekView), view);
    return vips::VSource(VIPS_SOURCE(custom));
}

}  // namespace image::detail
