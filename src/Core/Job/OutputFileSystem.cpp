#include "Core/Job/OutputFileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace core {

namespace {

class SystemFileSystem : public OutputFileSystem {
  public:
    int makeFolder(const std::filesystem::path& path) const override {
        return ::mkdir(path.c_str(), 0755) == 0 ? 0 : errno;
    }

    int placeFile(const std::filesystem::path& from, const std::filesystem::path& to) const override {
        // link() fails when the name is taken, so two writers can never claim the same name.
        if (::link(from.c_str(), to.c_str()) == 0) {
            ::unlink(from.c_str());
            return 0;
        }
        const int linkError = errno;
        // FAT and some network shares have no hard links; a rename that refuses to replace does the same.
        if (linkError != EPERM && linkError != EOPNOTSUPP && linkError != ENOSYS && linkError != EMLINK)
            return linkError;
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
    }
};

}  // namespace

const OutputFileSystem& OutputFileSystem::system() {
    static const SystemFileSystem fileSystem;
    return fileSystem;
}

bool isRefusedName(int error) {
    return error == EINVAL || error == EILSEQ;
}

std::string portableName(const std::string& name) {
    constexpr std::string_view refused = "|:*?\"<>\\";
    std::string out = name;
    for (char& c : out) {
        if (refused.find(c) != std::string_view::npos) c = '-';
    }
    for (auto it = out.rbegin(); it != out.rend() && (*it == '.' || *it == ' '); ++it) *it = '-';
    return out;
}

}  // namespace core
