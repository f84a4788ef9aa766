#include "Core/Effects/FilterDefinition.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace core {

namespace {

std::array<double, 10> coordinates(const FilterDefinition::ToneCurve& c) {
    return {c.p0.x, c.p0.y, c.p1.x, c.p1.y, c.p2.x, c.p2.y, c.p3.x, c.p3.y, c.p4.x, c.p4.y};
}

FilterDefinition::ToneCurve curveOf(const std::array<double, 10>& v) {
    return {{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, {v[6], v[7]}, {v[8], v[9]}};
}

double blend(double s, double e, double t) {
    return s + (e - s) * t;
}

std::optional<double> numberIn(const ci::Filter& filter, std::string_view key) {
    const auto value = filter.value(key);
    if (!value) return std::nullopt;
    if (const auto* d = std::get_if<double>(&*value)) return *d;
    return std::nullopt;
}

std::optional<cg::Point> pointIn(const ci::Filter& filter, std::string_view key) {
    const auto value = filter.value(key);
    if (!value) return std::nullopt;
    const auto* v = std::get_if<std::vector<double>>(&*value);
    if (!v || v->size() < 2) return std::nullopt;
    return cg::Point{(*v)[0], (*v)[1]};
}

const char* kindName(FilterDefinition::Kind kind) {
    static constexpr const char* names[] = {"exposure",  "vibrance",     "contrast",    "brightness",
                                            "toneCurve", "dynamicRange", "gaussianBlur"};
    return names[int(kind)];
}

}  // namespace

FilterDefinition FilterDefinition::exposure(double ev) {
    return {Kind::exposure, ev};
}
FilterDefinition FilterDefinition::vibrance(double amount) {
    return {Kind::vibrance, amount};
}
FilterDefinition FilterDefinition::contrast(double value) {
    return {Kind::contrast, value};
}
FilterDefinition FilterDefinition::brightness(double value) {
    return {Kind::brightness, value};
}
FilterDefinition FilterDefinition::toneCurve(ToneCurve curve) {
    return {Kind::toneCurve, curve};
}
FilterDefinition FilterDefinition::dynamicRange(DynamicRange range) {
    return {Kind::dynamicRange, range};
}
FilterDefinition FilterDefinition::gaussianBlur(double value) {
    return {Kind::gaussianBlur, value};
}

FilterDefinition FilterDefinition::starting(Kind kind) {
    switch (kind) {
        case Kind::exposure:
            return exposure(1.0);
        case Kind::vibrance:
            return vibrance(0.0);
        case Kind::contrast:
            return contrast(1.0);
        case Kind::brightness:
            return brightness(0.0);
        case Kind::toneCurve:
            return toneCurve({{0, 0}, {0.25, 0.25}, {0.5, 0.5}, {0.75, 0.75}, {1, 1}});
        case Kind::dynamicRange:
            return dynamicRange({1.0, 0.0, 0.0});
        case Kind::gaussianBlur:
            break;
    }
    return gaussianBlur(0.0);
}

std::optional<FilterDefinition> FilterDefinition::fromFilter(const ci::Filter& filter) {
    const std::string& name = filter.name();
    if (name == "CIVibrance") {
        const auto amount = numberIn(filter, "inputAmount");
        if (!amount) return std::nullopt;
        return vibrance(*amount);
    }
    if (name == "CIHighlightShadowAdjust") {
        const auto h = numberIn(filter, "inputHighlightAmount"), s = numberIn(filter, "inputShadowAmount");
        const auto r = numberIn(filter, ci::kInputRadiusKey);
        if (!h || !s || !r) return std::nullopt;
        return dynamicRange({*h, *s, *r});
    }
    if (name == "CIToneCurve") {
        std::array<cg::Point, 5> p;
        for (int i = 0; i < 5; ++i) {
            const auto point = pointIn(filter, "inputPoint" + std::to_string(i));
            if (!point) return std::nullopt;
            p[i] = *point;
        }
        return toneCurve({p[0], p[1], p[2], p[3], p[4]});
    }
    return std::nullopt;
}

double FilterDefinition::value() const {
    const auto* v = std::get_if<double>(&payload_);
    return v ? *v : 0.0;
}

std::string FilterDefinition::filterName() const {
    switch (kind_) {
        case Kind::exposure:
            return "CIExposureAdjust";
        case Kind::vibrance:
            return "CIVibrance";
        case Kind::contrast:
        case Kind::brightness:
            return "CIColorControls";
        case Kind::toneCurve:
            return "CIToneCurve";
        case Kind::dynamicRange:
            return "CIHighlightShadowAdjust";
        case Kind::gaussianBlur:
            break;
    }
    return "CIGaussianBlur";
}

ci::Parameters FilterDefinition::parameters() const {
    switch (kind_) {
        case Kind::exposure:
            return {{std::string(ci::kInputEVKey), value()}};
        case Kind::vibrance:
            return {{"inputAmount", value()}};
        case Kind::contrast:
            return {{"inputContrast", value()}};
        case Kind::brightness:
            return {{"inputBrightness", value()}};
        case Kind::toneCurve: {
            const auto v = coordinates(*curve());
            ci::Parameters points;
            for (int i = 0; i < 5; ++i)
                points.emplace("inputPoint" + std::to_string(i), std::vector<double>{v[2 * i], v[2 * i + 1]});
            return points;
        }
        case Kind::dynamicRange:
            return {{"inputHighlightAmount", range()->highlights},
                    {"inputShadowAmount", range()->shadows},
                    {"inputRadius", range()->radius},
                    {std::string(ci::kInputVersionKey), 0}};
        case Kind::gaussianBlur:
            break;
    }
    return {};
}

FilterDefinition FilterDefinition::interpolate(const FilterDefinition& end, double t) const {
    const bool sameKind = kind_ == end.kind_;
    if (sameKind && (kind_ == Kind::vibrance || kind_ == Kind::contrast || kind_ == Kind::brightness))
        return {kind_, blend(value(), end.value(), t)};
    if (sameKind && kind_ == Kind::toneCurve) {
        const auto s = coordinates(*curve()), e = coordinates(*end.curve());
        std::array<double, 10> mixed;
        for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = blend(s[i], e[i], t);
        return toneCurve(curveOf(mixed));
    }
    if (sameKind && kind_ == Kind::dynamicRange) {
        const auto s = *range(), e = *end.range();
        return dynamicRange({blend(s.highlights, e.highlights, t), blend(s.shadows, e.shadows, t),
                             blend(s.radius, e.radius, t)});
    }
    std::printf("Trying to interpolate incompatible types: %s - %s\n", description().c_str(),
                end.description().c_str());
    std::fflush(stdout);
    return *this;
}

bool FilterDefinition::operator==(const FilterDefinition& other) const {
    if (kind_ != other.kind_) return false;
    auto close = [](double a, double b) { return std::abs(a - b) < 0.01; };
    if (const auto* c = curve()) {
        const auto a = coordinates(*c), b = coordinates(*other.curve());
        for (size_t i = 0; i < a.size(); ++i)
            if (!close(a[i], b[i])) return false;
        return true;
    }
    if (const auto* r = range()) {
        const auto* o = other.range();
        return close(r->highlights, o->highlights) && close(r->shadows, o->shadows) &&
               close(r->radius, o->radius);
    }
    return close(value(), other.value());
}

std::string FilterDefinition::description() const {
    std::ostringstream out;
    out << kindName(kind_) << "(";
    if (const auto* c = curve()) {
        const auto v = coordinates(*c);
        for (int i = 0; i < 5; ++i)
            out << (i ? ", " : "") << "p" << i << ": (" << v[2 * i] << ", " << v[2 * i + 1] << ")";
    } else if (const auto* r = range()) {
        out << "highlights: " << r->highlights << ", shadows: " << r->shadows << ", radius: " << r->radius;
    } else {
        out << value();
    }
    out << ")";
    return out.str();
}

}  // namespace core
