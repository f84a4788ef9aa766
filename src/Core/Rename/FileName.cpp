#include "Core/Rename/FileName.h"

namespace core {

FileNameParts splitFileName(std::string_view fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size())
        return {std::string(fileName), ""};
    return {std::string(fileName.substr(0, dot)), std::string(fileName.substr(dot + 1))};
}

}  // namespace core
