#pragma once
// Bundle: the application's information dictionary and the folder of its named resources
// (images, the colour-lookup image, the desktop entry). Immutable after construction; thread-safe.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

class Bundle {
  public:
    Bundle(std::optional<PlistDictionary> info, std::filesystem::path resourceDirectory);

    // The running application: name "Vorta", its version and identifier; resources in
    // <executable folder>/../share/vorta.
    static const Bundle& main();

    const std::optional<PlistDictionary>& infoDictionary() const { return info_; }
    const PlistValue* objectForInfoDictionaryKey(std::string_view key) const;

    const std::filesystem::path& resourcePath() const { return resources_; }
    // The path of resource `name`.`ext` (ext may be empty), absent when no such file exists.
    std::optional<std::filesystem::path> pathForResource(std::string_view name, std::string_view ext) const;

  private:
    std::optional<PlistDictionary> info_;
    std::filesystem::path resources_;
};

// The folder holding the running executable.
std::filesystem::path executableDirectory();

}  // namespace foundation
