#include "Screens/Setup/RenamedNames.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <tuple>

#include "Core/Rename/RenameEngine.h"

namespace screens {
namespace {

bool isDefaultFormat(std::string_view format) {
    std::string upper(format);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return upper == "DEFAULT";
}

// The writer's free-name rule: "<stem> (n)<ext>" with the stem and extension split as it splits them.
std::string numberedName(const std::filesystem::path& name, int n) {
    return name.stem().string() + " (" + std::to_string(n) + ")" + name.extension().string();
}

}  // namespace

std::vector<core::SourceURLInfo> renamedRecords(const std::vector<core::SourceURLInfo>& records,
                                                std::string_view outputFormat,
                                                const core::RenameOptions& options) {
    auto renamed = core::buildRenamedOutputURLs(records, outputFormat, options);
    // Outputs go to the job folder below the dropped folder's name and the file's place inside it.
    using Slot = std::tuple<std::string, std::string, std::string>;
    std::set<Slot> taken;
    for (auto& record : renamed) {
        if (!record.updatedUrl) continue;
        const std::filesystem::path name = record.updatedUrl->filename();
        std::string chosen = name.string();
        for (int n = 2; taken.count({record.strRootPath, record.strRelativePath, chosen}) != 0; ++n)
            chosen = numberedName(name, n);
        taken.insert({record.strRootPath, record.strRelativePath, chosen});
        if (chosen != name.string()) record.updatedUrl = record.updatedUrl->parent_path() / chosen;
    }
    return renamed;
}

std::string demoLabelWithFormat(std::string_view stem, std::string_view extension, std::string_view format) {
    if (!format.empty() && format.front() == '.') format.remove_prefix(1);
    const std::string_view shown = format.empty() || isDefaultFormat(format) ? extension : format;
    return std::string(stem) + (shown.empty() ? "" : ".") + std::string(shown);
}

}  // namespace screens
