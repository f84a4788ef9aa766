#pragma once
// The named colours of the platform's palette (light appearance) that records and screens use as
// tags. Constants; safe from any thread.

#include "Platform/Graphics/Color.h"

namespace cg::system {

inline Color lightGray() {
    return Color::white(2.0 / 3.0);
}
inline Color orange() {
    return {1.0, 149.0 / 255.0, 0.0, 1.0};
}
inline Color green() {
    return {40.0 / 255.0, 205.0 / 255.0, 65.0 / 255.0, 1.0};
}
inline Color yellow() {
    return {1.0, 204.0 / 255.0, 0.0, 1.0};
}
inline Color gray() {
    return {142.0 / 255.0, 142.0 / 255.0, 147.0 / 255.0, 1.0};
}
inline Color blue() {
    return {0.0, 122.0 / 255.0, 1.0, 1.0};
}

}  // namespace cg::system
