#pragma once
// The bit set of view-controller transition options, with the platform's raw values, so that
// identifiers and stored values map one to one.

#include <cstdint>

namespace appkit {

using TransitionOptions = std::uint32_t;

namespace TransitionOption {
inline constexpr TransitionOptions None = 0;
inline constexpr TransitionOptions Crossfade = 0x1;
inline constexpr TransitionOptions SlideUp = 0x10;
inline constexpr TransitionOptions SlideDown = 0x20;
inline constexpr TransitionOptions SlideLeft = 0x40;
inline constexpr TransitionOptions SlideRight = 0x80;
inline constexpr TransitionOptions SlideForward = 0x140;
inline constexpr TransitionOptions SlideBackward = 0x180;
inline constexpr TransitionOptions AllowUserInteraction = 0x1000;
}  // namespace TransitionOption

}  // namespace appkit
