#include "Core/Records/DefaultPresets.h"

namespace core {
namespace {

PresetInfo builtIn(const char* name, double width, double height, double percent, bool enhance) {
    return {
        {std::string(presetkey::presetName), name},
        {std::string(presetkey::presetWidth), width},
        {std::string(presetkey::presetHeight), height},
        {std::string(presetkey::presetPercent), percent},
        {std::string(presetkey::autoEnhance), enhance},
        {std::string(presetkey::outputFormat), "Default"},
        {std::string(presetkey::imageEffect), enhance ? 5 : 1},
        {std::string(presetkey::countUsage), 0},
        {std::string(presetkey::imageEffectFilter), enhance ? "AutoEnhance" : ""},
    };
}

}  // namespace

const std::vector<PresetInfo>& defaultPresets() {
    // Read by workers to the very end of the process: never destroyed.
    static const auto* const presets = new std::vector<PresetInfo>{
        builtIn("Half", -1, -1, 50, true),         builtIn("W-1280", 1280, -1, -1, false),
        builtIn("HD", 1280, 720, -1, true),        builtIn("H-1280", -1, 1280, -1, false),
        builtIn("Full HD", 1920, 1080, -1, false), builtIn("4K", 3840, 2160, -1, true),
        builtIn("SD", 720, 480, -1, false),
    };
    return *presets;
}

}  // namespace core
