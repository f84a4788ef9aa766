#pragma once
// Splitting a file name into stem and extension the way the rename rules and record copies need
// it. Pure functions; safe from any thread.

#include <string>
#include <string_view>

namespace core {

struct FileNameParts {
    std::string stem;
    std::string extension;  // without the dot; empty when the name has none
};

// The text after the last "." is the extension, unless that dot starts the name (".hidden" has
// none) or ends it ("photo." has none and keeps "photo." as its stem).
FileNameParts splitFileName(std::string_view fileName);

}  // namespace core
