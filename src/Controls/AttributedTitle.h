#pragma once
// AttributedTitle: a button title as runs of text, each with its own optional font and foreground
// colour. A plain value.

#include <QFont>
#include <QString>
#include <optional>
#include <vector>

#include "Platform/Graphics/Color.h"

namespace controls {

struct TitleAttributes {
    std::optional<QFont> font;
    std::optional<cg::Color> foregroundColor;
    bool empty() const { return !font && !foregroundColor; }
    bool operator==(const TitleAttributes&) const = default;
};

struct AttributedTitle {
    struct Run {
        QString text;
        TitleAttributes attributes;
        bool operator==(const Run&) const = default;
    };
    std::vector<Run> runs;

    QString string() const;
    int length() const { return static_cast<int>(string().size()); }
    // The attributes of the character at `index`, empty when there is none.
    TitleAttributes attributesAt(int index) const;
    // The same text with `colour` as foreground over its whole length.
    AttributedTitle withForegroundColor(const cg::Color& colour) const;
    bool operator==(const AttributedTitle&) const = default;
};

}  // namespace controls
