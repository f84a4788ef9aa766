#include "Core/Rename/RenameRule.h"

#include <charconv>

#include "Platform/Foundation/TextSearch.h"

namespace core {

std::optional<std::int64_t> parseStartIndex(std::string_view text) {
    std::string_view digits = text;
    const bool plus = !digits.empty() && digits.front() == '+';
    if (plus) digits.remove_prefix(1);
    if (digits.empty() || (plus && digits.front() == '-')) return std::nullopt;
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::string trimmedNewName(const RenameOptions& options) {
    return foundation::trimmingWhitespaceAndNewlines(options.renameNewName);
}

namespace {

bool isDefaultFormat(std::string_view format) {
    constexpr std::string_view kDefault = "default";
    if (format.size() != kDefault.size()) return false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kDefault[i]) return false;
    }
    return true;
}

}  // namespace

std::string renamedExtension(std::string_view sourceExtension, std::string_view outputFormat) {
    if (sourceExtension.empty()) return "";
    if (!isDefaultFormat(outputFormat) && !outputFormat.empty() && outputFormat.front() == '.')
        return std::string(outputFormat.substr(1));
    return std::string(sourceExtension);
}

std::string composeRenamedStem(std::string_view stem, const RenameOptions& options) {
    const std::string newName = trimmedNewName(options);
    std::string result = newName.empty() ? std::string(stem) : newName;
    if (!options.renameFindText.empty() && !options.renameReplaceText.empty()) {
        // Every match is located in the stem before any replacement; replacing from the last one
        // keeps the earlier offsets valid.
        const auto ranges = foundation::lowercaseRanges(result, options.renameFindText);
        for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
            result.replace(it->location, it->length, options.renameReplaceText);
    }
    return options.renamePrefix + result + options.renameSuffix;
}

}  // namespace core
