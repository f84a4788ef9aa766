#include "Screens/Activity/JobErrorAdvice.h"

#include <algorithm>
#include <cctype>

namespace {

bool mentions(std::string text, const std::string& word) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find(word) != std::string::npos;
}

}  // namespace

std::string nextStepAfterJobError(const std::string& message) {
    if (mentions(message, "no images"))
        return "Nothing was written. Press DONE, then drop photos or a folder of photos on a preset.";
    if (mentions(message, "no preset")) return "Nothing was written. Press DONE and choose a preset to run.";
    if (mentions(message, "folder"))
        return "Nothing was written. Press DONE, check that the output folder exists and can be written "
               "to (or choose another one), then run the preset again.";
    return "Nothing was written. Press DONE and try again.";
}
