#pragma once
// The catalogue of activity indicator types, raw values 0 to 31, named as the scenes name them.
// Every type draws the same animation. Pure; any thread.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace controls {

enum class KRActivityIndicatorType {
    blank,
    ballPulse,
    ballGridPulse,
    ballClipRotate,
    squareSpin,
    ballClipRotatePulse,
    ballClipRotateMultiple,
    ballPulseRise,
    ballRotate,
    cubeTransition,
    ballZigZag,
    ballZigZagDeflect,
    ballTrianglePath,
    ballScale,
    lineScale,
    lineScaleParty,
    ballScaleMultiple,
    ballPulseSync,
    ballBeat,
    lineScalePulseOut,
    lineScalePulseOutRapid,
    ballScaleRipple,
    ballScaleRippleMultiple,
    ballSpinFadeLoader,
    lineSpinFadeLoader,
    triangleSkewSpin,
    pacman,
    ballGridBeat,
    semiCircleSpin,
    ballRotateChase,
    orbit,
    audioEqualizer
};

namespace indicatortype {

inline constexpr int count = 32;
const std::array<KRActivityIndicatorType, count>& allCases();
std::optional<KRActivityIndicatorType> fromRawValue(int raw);
int rawValue(KRActivityIndicatorType type);
std::string description(KRActivityIndicatorType type);
// The first case whose name equals `name` ignoring case, or absent.
std::optional<KRActivityIndicatorType> fromName(std::string_view name);

}  // namespace indicatortype

}  // namespace controls
