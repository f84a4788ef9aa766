#pragma once
// The distances by which a rectangle's four edges move inward (AppKit's edge insets). Plain value.

namespace cg {

struct EdgeInsets {
    double top = 0, left = 0, bottom = 0, right = 0;
    bool operator==(const EdgeInsets&) const = default;
};

}  // namespace cg
