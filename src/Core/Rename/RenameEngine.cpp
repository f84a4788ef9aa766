#include "Core/Rename/RenameEngine.h"

#include <cstdio>
#include <map>
#include <string>

#include "Core/Rename/FileName.h"
#include "Core/Rename/RenameRule.h"
#include "Core/Rename/SafeName.h"
#include "Platform/Foundation/Bookmark.h"

namespace core {
namespace {

// Numbers are added in 128 bits so that a start index near the 64-bit limit cannot overflow.
using Number = __int128;

std::string decimal(Number n) {
    if (n == 0) return "0";
    const bool negative = n < 0;
    std::string digits;
    while (n != 0) {
        const int digit = static_cast<int>(n % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
        n /= 10;
    }
    return negative ? "-" + digits : digits;
}

// The numbering state of one run: a running counter for names without a new name, and a count per
// composed name for names with one.
class RenameNumbering {
  public:
    explicit RenameNumbering(const RenameOptions& options)
        : start_(parseStartIndex(options.renameStartIndex).value_or(0)),
          running_(start_),
          hasStartText_(!options.renameStartIndex.empty()) {}

    // Without a new name: the running number, when a start index text was typed.
    std::string nextRunning() {
        if (!hasStartText_) return "";
        return decimal(running_++);
    }

    // With a new name: the first file with a composed name keeps it (or gets the start index when
    // that is positive); later ones get start + 1, start + 2, ...
    std::string nextFor(const std::string& composed) {
        Number& count = counts_[composed];
        const std::string suffix = count >= 1 ? decimal(count + start_) : (start_ > 0 ? decimal(start_) : "");
        ++count;
        return suffix;
    }

  private:
    Number start_;
    Number running_;
    bool hasStartText_;
    std::map<std::string, Number> counts_;
};

}  // namespace

std::vector<SourceURLInfo> buildRenamedOutputURLs(const std::vector<SourceURLInfo>& records,
                                                  std::string_view outputFormat,
                                                  const RenameOptions& options) {
    RenameNumbering numbering(options);
    const bool hasNewName = !trimmedNewName(options).empty();
    std::vector<SourceURLInfo> result;
    result.reserve(records.size());
    for (const SourceURLInfo& record : records) {
        const auto resolved =
            record.bookmarkData ? foundation::resolveBookmarkData(*record.bookmarkData) : std::nullopt;
        if (!resolved) {
            std::printf("Could not locate URL for : %s\n", record.debugDescription().c_str());
            result.push_back(record);
            continue;
        }
        const std::string sourceName = resolved->filename().string();
        const FileNameParts source = splitFileName(sourceName);
        const std::string extension = renamedExtension(source.extension, outputFormat);
        const std::string composed = composeRenamedStem(source.stem, options);
        std::string name = composed + (hasNewName ? numbering.nextFor(composed) : numbering.nextRunning());
        if (name.empty()) name = source.stem;
        if (!extension.empty()) name += "." + extension;

        SourceURLInfo renamed = record;
        renamed.url = *resolved;
        renamed.updatedUrl = resolved->parent_path() / safePathComponent(name, sourceName);
        result.push_back(std::move(renamed));
    }
    return result;
}

}  // namespace core
