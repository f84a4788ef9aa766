#include "Platform/Foundation/Bundle.h"

#include <system_error>

namespace foundation {

Bundle::Bundle(std::optional<PlistDictionary> info, std::filesystem::path resourceDirectory)
    : info_(std::move(info)), resources_(std::move(resourceDirectory)) {}

const Bundle& Bundle::main() {
    static const Bundle bundle(
        PlistDictionary{
            {"CFBundleName", "Vorta"},
            {"CFBundleDisplayName", "Vorta"},
            {"CFBundleShortVersionString", VORTA_VERSION},
            {"CFBundleVersion", VORTA_VERSION},
            {"CFBundleIdentifier", "org.vorta.Vorta"},
        },
        executableDirectory().parent_path() / "share" / "vorta");
    return bundle;
}

const PlistValue* Bundle::objectForInfoDictionaryKey(std::string_view key) const {
    if (!info_) return nullptr;
    const auto it = info_->find(key);
    return it == info_->end() ? nullptr : &it->second;
}

std::optional<std::filesystem::path> Bundle::pathForResource(std::string_view name,
                                                             std::string_view ext) const {
    std::string file(name);
    if (!ext.empty()) {
        file += '.';
        file += ext;
    }
    if (file.empty() || file.find('/') != std::string::npos) return std::nullopt;
    auto path = resources_ / file;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

std::filesystem::path executableDirectory() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path(ec);
    return exe.parent_path();
}

}  // namespace foundation
