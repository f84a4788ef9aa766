#include "Controls/KRActivityIndicatorType.h"

#include <QString>

namespace controls::indicatortype {

namespace {

constexpr std::array<const char*, count> kNames = {"blank",
                                                   "ballPulse",
                                                   "ballGridPulse",
                                                   "ballClipRotate",
                                                   "squareSpin",
                                                   "ballClipRotatePulse",
                                                   "ballClipRotateMultiple",
                                                   "ballPulseRise",
                                                   "ballRotate",
                                                   "cubeTransition",
                                                   "ballZigZag",
                                                   "ballZigZagDeflect",
                                                   "ballTrianglePath",
                                                   "ballScale",
                                                   "lineScale",
                                                   "lineScaleParty",
                                                   "ballScaleMultiple",
                                                   "ballPulseSync",
                                                   "ballBeat",
                                                   "lineScalePulseOut",
                                                   "lineScalePulseOutRapid",
                                                   "ballScaleRipple",
                                                   "ballScaleRippleMultiple",
                                                   "ballSpinFadeLoader",
                                                   "lineSpinFadeLoader",
                                                   "triangleSkewSpin",
                                                   "pacman",
                                                   "ballGridBeat",
                                                   "semiCircleSpin",
                                                   "ballRotateChase",
                                                   "orbit",
                                                   "audioEqualizer"};

}  // namespace

const std::array<KRActivityIndicatorType, count>& allCases() {
    static const auto cases = [] {
        std::array<KRActivityIndicatorType, count> all{};
        for (int i = 0; i < count; ++i) all[i] = static_cast<KRActivityIndicatorType>(i);
        return all;
    }();
    return cases;
}

std::optional<KRActivityIndicatorType> fromRawValue(int raw) {
    if (raw < 0 || raw >= count) return std::nullopt;
    return static_cast<KRActivityIndicatorType>(raw);
}

int rawValue(KRActivityIndicatorType type) {
    return static_cast<int>(type);
}

std::string description(KRActivityIndicatorType type) {
    return kNames[static_cast<std::size_t>(rawValue(type))];
}

std::optional<KRActivityIndicatorType> fromName(std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (KRActivityIndicatorType type : allCases()) {
        if (wanted.compare(QString::fromLatin1(kNames[rawValue(type)]), Qt::CaseInsensitive) == 0)
            return type;
    }
    return std::nullopt;
}

}  // namespace controls::indicatortype
