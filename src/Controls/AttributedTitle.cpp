#include "Controls/AttributedTitle.h"

namespace controls {

QString AttributedTitle::string() const {
    QString text;
    for (const Run& run : runs) text += run.text;
    return text;
}

TitleAttributes AttributedTitle::attributesAt(int index) const {
    int start = 0;
    for (const Run& run : runs) {
        if (index >= start && index < start + run.text.size()) return run.attributes;
        start += static_cast<int>(run.text.size());
    }
    return {};
}

AttributedTitle AttributedTitle::withForegroundColor(const cg::Color& colour) const {
    AttributedTitle out = *this;
    for (Run& run : out.runs) run.attributes.foregroundColor = colour;
    return out;
}

}  // namespace controls
