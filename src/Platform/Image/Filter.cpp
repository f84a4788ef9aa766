#include "Platform/Image/Filter.h"

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <algorithm>

namespace ci {

namespace {

bool isNumber(const Value& v) {
    return std::holds_alternative<double>(v) || std::holds_alternative<int>(v);
}

}  // namespace

Filter::Filter(const FilterKind& kind) : kind_(&kind), values_(kind.defaults) {}

std::optional<Filter> Filter::named(std::string_view name) {
    image::detail::ensureVipsStarted();
    const FilterKind* kind = findFilterKind(name);
    if (!kind) return std::nullopt;
    return Filter(*kind);
}

std::optional<Filter> Filter::named(std::string_view name, const Parameters& inputParameters) {
    auto filter = named(name);
    if (filter) filter->setValues(inputParameters);
    return filter;
}

const std::string& Filter::name() const {
    return kind_->name;
}

std::vector<std::string> Filter::inputKeys() const {
    std::vector<std::string> keys = kind_->imageKeys;
    for (const auto& [key, value] : kind_->defaults) keys.push_back(key);
    return keys;
}

bool Filter::takesImage() const {
    const auto& keys = kind_->imageKeys;
    return std::find(keys.begin(), keys.end(), kInputImageKey) != keys.end();
}

bool Filter::setValue(std::string_view key, Value value) {
    const auto& imageKeys = kind_->imageKeys;
    if (std::find(imageKeys.begin(), imageKeys.end(), key) != imageKeys.end()) {
        if (!std::holds_alternative<image::Image>(value)) return false;
        values_.insert_or_assign(std::string(key), std::move(value));
        return true;
    }
    const auto it = kind_->defaults.find(key);
    if (it == kind_->defaults.end()) return false;
    const Value& model = it->second;
    if (isNumber(model) && isNumber(value)) {
        values_.insert_or_assign(std::string(key), std::move(value));
        return true;
    }
    if (model.index() != value.index()) return false;
    values_.insert_or_assign(std::string(key), std::move(value));
    return true;
}

void Filter::setValues(const Parameters& values) {
    for (const auto& [key, value] : values) setValue(key, value);
}

std::optional<Value> Filter::value(std::string_view key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<image::Image> Filter::outputImage() const {
    try {
        auto out = kind_->render(FilterInputs(values_));
        if (!out) return std::nullopt;
        return image::fromVips(*out);
    } catch (const vips::VError&) {
        image::detail::forgetErrors();
        return std::nullopt;
    } catch (const std::exception&) {
        // A filter computed with another library (OpenCV) that refuses its input gives nothing.
        return std::nullopt;
    }
}

double FilterInputs::number(std::string_view key, double fallback) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return fallback;
    if (const auto* d = std::get_if<double>(&it->second)) return *d;
    if (const auto* i = std::get_if<int>(&it->second)) return *i;
    return fallback;
}

std::vector<double> FilterInputs::vector(std::string_view key, std::vector<double> fallback) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return fallback;
    if (const auto* v = std::get_if<std::vector<double>>(&it->second)) return *v;
    return fallback;
}

std::vector<cg::Point> FilterInputs::points(std::string_view key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return {};
    if (const auto* v = std::get_if<std::vector<cg::Point>>(&it->second)) return *v;
    return {};
}

std::optional<vips::VImage> FilterInputs::image(std::string_view key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    if (const auto* v = std::get_if<image::Image>(&it->second)) return image::toVips(*v);
    return std::nullopt;
}

}  // namespace ci
