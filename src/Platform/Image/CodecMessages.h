#pragma once
// What the codecs behind libvips' loaders would print on standard error by themselves, routed to the
// log of the thread that decodes (dropped when there is none). dav1d, libheif's AV1 decoder, prints
// its notes on broken data ("Error parsing OBU data") unless it is given a logger, and libheif gives
// none: the executable's dav1d_open gives it one, then opens the real decoder. Thread-safe.

namespace image::detail {

// Makes sure the real decoder is found before the first image. Called once when libvips starts.
void routeCodecMessages();

}  // namespace image::detail
