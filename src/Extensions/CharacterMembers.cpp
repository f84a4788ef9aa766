#include "Extensions/CharacterMembers.h"

#include <cstdlib>

#include "Extensions/StringConstants.h"
#include "Extensions/StringPadding.h"
#include "Extensions/StringParsing.h"
#include "Platform/Foundation/TextServices.h"

namespace chr {
namespace {
Character firstCharacter(std::string_view s) {
    const auto characters = foundation::characters(s);
    return characters.empty() ? Character() : characters.front();
}
}  // namespace

bool isEmoji(std::string_view c) {
    const std::u32string scalars = foundation::scalars(c);
    return !scalars.empty() && str::isInEmojiRanges(scalars.front());
}

std::optional<std::int64_t> int_(std::string_view c) {
    return str::int_(c);
}

std::string string(std::string_view c) {
    return std::string(c);
}

Character lowercased(std::string_view c) {
    return firstCharacter(foundation::lowercased(c));
}

Character uppercased(std::string_view c) {
    return firstCharacter(foundation::uppercased(c));
}

Character randomAlphanumeric() {
    return Character(
        1, str::randomAlphabet[arc4random_uniform(static_cast<std::uint32_t>(str::randomAlphabet.size()))]);
}

std::string repeated(std::string_view c, std::int64_t count) {
    return str::repeated(c, count);
}

}  // namespace chr
