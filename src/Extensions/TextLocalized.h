#pragma once
// Interface texts in the user's language, from the main bundle's translations; a text without a
// translation is shown as it is. Safe from any thread.

#include <optional>
#include <string>
#include <string_view>

namespace text {

// The comment is for translators only; an absent comment counts as empty.
std::string localized(std::string_view s, std::optional<std::string_view> comment = std::nullopt);

}  // namespace text
