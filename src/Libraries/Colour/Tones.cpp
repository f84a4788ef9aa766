#include "Libraries/Colour/Tones.h"

#include "Libraries/Colour/Adjustment.h"
#include "Libraries/Colour/RandomColours.h"

namespace colour {
namespace {

// The tones are kept as the single-precision values they were picked as.
cg::Color tone(float red, float green, float blue) {
    return {static_cast<double>(red), static_cast<double>(green), static_cast<double>(blue), 1};
}

std::uint32_t randomToneIndex(RandomSource& source) {
    return detail::drawBelow(source, static_cast<std::uint32_t>(lightTones().size()));
}

}  // namespace

std::vector<cg::Color> lightTones() {
    return {tone(0.9672298f, 0.7923976f, 0.49467695f), tone(0.9470394f, 0.654876f, 0.63490736f),
            tone(1.0f, 0.4814046f, 0.67306554f),       tone(0.82025844f, 0.5752605f, 0.831168f),
            tone(0.6449161f, 0.67178535f, 0.8645031f), tone(0.53749764f, 0.7806015f, 0.9671398f),
            tone(0.4803f, 0.8541714f, 0.91192347f),    tone(0.6351386f, 0.83945876f, 0.6457614f),
            tone(0.7646541f, 0.8732957f, 0.63183695f), tone(0.84546924f, 0.9028987f, 0.4976319f),
            tone(0.99931294f, 0.9354852f, 0.62703854f)};
}

std::vector<cg::Color> deepTones() {
    return {tone(0.8677177f, 0.56597894f, 0.004649403f), tone(0.85857004f, 0.23528594f, 0.18029371f),
            tone(0.80784315f, 0.02745098f, 0.33333334f), tone(0.5158337f, 0.11768431f, 0.5966533f),
            tone(0.32291055f, 0.17174476f, 0.6497362f),  tone(0.20392254f, 0.4492107f, 0.8061025f),
            tone(0.24622017f, 0.5814337f, 0.61150277f),  tone(0.19626285f, 0.48856568f, 0.22077557f),
            tone(0.3541012f, 0.54487383f, 0.18961373f),  tone(0.5840474f, 0.62020326f, 0.152225f),
            tone(0.80385697f, 0.7041574f, 0.163424f)};
}

std::vector<cg::Color> mixedTones() {
    return {tone(0.9074796f, 0.29695275f, 0.2355834f),   tone(0.90195554f, 0.49529874f, 0.13083696f),
            tone(1.0f, 0.80541927f, 0.00212774f),        tone(0.9393144f, 0.86893874f, 0.7052466f),
            tone(0.20484406f, 0.28485706f, 0.36804155f), tone(0.16860446f, 0.16864064f, 0.16860217f),
            tone(0.6078113f, 0.3486402f, 0.71395934f),   tone(0.22649834f, 0.43455064f, 0.50583893f),
            tone(0.20224562f, 0.59510076f, 0.8569586f),  tone(0.18121627f, 0.79812026f, 0.44165042f),
            tone(0.100070335f, 0.73665315f, 0.6107045f), tone(0.2020188f, 0.3708129f, 0.25524125f),
            tone(0.45505786f, 0.36798662f, 0.77108556f), tone(0.3668977f, 0.27116227f, 0.20290983f),
            tone(0.3674284f, 0.20264933f, 0.36810684f),  tone(0.93796116f, 0.44290337f, 0.47872537f),
            tone(0.6485645f, 0.77474326f, 0.22945482f),  tone(0.9569145f, 0.48428696f, 0.76422095f),
            tone(0.4754327f, 0.18633616f, 0.16463378f),  tone(0.63799375f, 0.5263451f, 0.44157022f),
            tone(0.31379348f, 0.39459977f, 0.6310596f)};
}

cg::Color randomFlat(RandomSource& source) {
    return lightTones()[randomToneIndex(source)];
}

std::array<cg::Color, 2> randomTonePair(double factor, RandomSource& source) {
    const std::uint32_t i = randomToneIndex(source);
    return {brightened(deepTones()[i], factor), brightened(lightTones()[i], factor)};
}

std::array<cg::Color, 2> randomShadedPair(RandomSource& source) {
    const cg::Color plain = lightTones()[randomToneIndex(source)];
    return {subtracting(plain, 0.25), plain};
}

}  // namespace colour
