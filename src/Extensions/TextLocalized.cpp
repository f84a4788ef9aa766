#include "Extensions/TextLocalized.h"

#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/LocalizedStrings.h"

namespace text {

std::string localized(std::string_view s, std::optional<std::string_view>) {
    return foundation::localizedString(foundation::Bundle::main(), s);
}

}  // namespace text
