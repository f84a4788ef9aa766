#include "Screens/Setup/NewFileName.h"

#include "Core/Rename/FileName.h"
#include "Core/Rename/RenameRule.h"
#include "Core/Rename/SafeName.h"

namespace screens {

std::string renamedFileName(std::string_view path, std::string_view outputFormat,
                            const core::RenameOptions& options) {
    const auto slash = path.rfind('/');
    const std::string_view fileName = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const core::FileNameParts source = core::splitFileName(fileName);
    const std::string extension = core::renamedExtension(source.extension, outputFormat);

    std::string name = core::composeRenamedStem(source.stem, options);
    const std::int64_t start = core::parseStartIndex(options.renameStartIndex).value_or(0);
    if (!core::trimmedNewName(options).empty()) {
        if (start >= 1) name += std::to_string(start);
    } else if (!options.renameStartIndex.empty()) {
        name += std::to_string(start);
    }
    // A rule that leaves nothing keeps the file's own stem, as the written files do.
    if (name.empty()) name = source.stem;
    if (!extension.empty()) name += "." + extension;
    return core::safePathComponent(name, fileName);
}

std::string renamedFileName(std::string_view path, std::string_view outputFormat) {
    return renamedFileName(path, outputFormat, core::sharedRenameOptions().get());
}

}  // namespace screens
