#pragma once
// Temporary stand-in until the effect catalogue lands: only "Original" and "AutoEnhance".

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Core/FMFilterable.h"

namespace core {

class FMFilter : public FMFilterable {
  public:
    static const std::vector<FMFilter>& allFilters();
    static FMFilter fromDisplayName(std::string_view name);
    static std::shared_ptr<const FMFilterable> shared(const FMFilter& f) {
        return std::make_shared<FMFilter>(f);
    }
    std::optional<image::Image> apply(const image::Image& input) const override { return input; }
    std::string displayName() const override { return auto_ ? "AutoEnhance" : "Original"; }
    bool isOriginal() const override { return !auto_; }
    bool isNone() const { return !auto_; }

  private:
    bool auto_ = false;
};

std::optional<image::Image> applyImageEffectOption(const image::Image& input, int option);

}  // namespace core
