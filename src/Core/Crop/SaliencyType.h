#pragma once
// The kinds of saliency analysis, and the display modes of a saliency overlay (kept for completeness;
// nothing takes a ViewMode). Plain values.

#include <optional>

namespace core {

enum class SaliencyType { attentionBased = 0, objectnessBased = 1 };
enum class ViewMode { combined = 0, rectsOnly = 1, maskOnly = 2 };

inline std::optional<SaliencyType> saliencyTypeFromRawValue(int raw) {
    if (raw == 0 || raw == 1) return SaliencyType(raw);
    return std::nullopt;
}

inline std::optional<ViewMode> viewModeFromRawValue(int raw) {
    if (raw >= 0 && raw <= 2) return ViewMode(raw);
    return std::nullopt;
}

}  // namespace core
