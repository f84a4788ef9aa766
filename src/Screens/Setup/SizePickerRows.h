#pragma once
// What the size picker shows and hands over, worked out from values alone: its rows, the detail
// text of a saved size, the custom size made from its controls, the size a saved preset gives when
// picked, the texts that show a preset's size in the controls, and the reading of a typed
// percentage and of a partly typed whole number. Pure functions; any thread.

#include <optional>
#include <string>
#include <vector>

#include "Core/Records/PresetInfo.h"

namespace setup {

// One row of the picker's table.
struct PickerRow {
    enum class Kind { Header, Custom, Percent, Saved };
    Kind kind = Kind::Header;
    std::string headerCaption;   // headers only
    core::PresetInfo presetObj;  // saved-size rows only
};

// The fixed rows (headers "CUSTOM SIZE" and "SIZE LIST", the custom-size and percent rows), then one
// row per preset of `presets` in order, leaving out the default-size ones.
std::vector<PickerRow> pickerRows(const std::vector<core::PresetInfo>& presets);
// 40 for a header; absent for the others: the custom-size and percent rows are as tall as their
// content, so no gap opens inside them, and saved sizes keep the table's own row height.
std::optional<double> pickerRowHeight(const PickerRow& row);

// The long size text, then ", Crop" with crop to fill and ", With Magic Crop" with saliency crop,
// with its first character upper-cased.
std::string savedSizeDetail(const core::PresetInfo& preset);

// The custom size of the controls: the slider's value rounded half away from zero, the two field
// values as they are. Absent when all three are 0 or less.
std::optional<core::PresetInfo> makeCustomSize(double sliderValue, double width, double height,
                                               bool saliencyOn, int resizeCropSegment);

// A size value of a saved preset: absent when missing, not a number or -1.
std::optional<double> savedSizeValue(const core::PresetInfo& preset, std::string_view key);
// Whether two presets give the same size: equal width, height and percentage, where a value that is
// unset, not a number or not above 0 counts as unset (a typed 1920 x 1080 is the saved Full HD).
bool sameSize(const core::PresetInfo& a, const core::PresetInfo& b);

// The size a saved preset gives when picked: its three sizes (an unset one present but empty),
// saliency from the picker's switch, no crop choice, and `rowName` (or the short size text when
// that is blank) as its name.
core::PresetInfo savedSizeForPick(const core::PresetInfo& preset, bool saliencyOn,
                                  const std::string& rowName);

// A preset's size as the picker's controls show it.
struct SizeControlTexts {
    std::string width;   // whole pixels, or empty when unset
    std::string height;  // likewise
    double sliderValue = 0;
    std::string percentLabel;  // "50 %", "0 %" when unset
};
// Values that are not finite or beyond the range of whole pixels show as unset.
SizeControlTexts sizeControlTexts(const core::PresetInfo& preset);

// A typed percentage: one trailing "%" dropped, blanks trimmed, read as a decimal number in the
// locale (an ICU identifier; empty for the current one). Absent when it does not read as a number.
std::optional<float> parsePercentText(const std::string& text, const std::string& locale = {});

// Whether a partly typed width or height may stand: empty, or a whole number of 0 or more that fits
// 64 bits, optionally after one sign ("-0" stands, "-3", "1.5", "12a" and " 1" do not).
bool isPartialIntegerValid(const std::string& text);

}  // namespace setup
