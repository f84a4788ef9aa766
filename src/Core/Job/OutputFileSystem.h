#pragma once
// OutputFileSystem: the two steps by which a job gives names on the output disk, making a folder and
// putting a finished file in place, so that a test can stand in a fussier file system (a memory card's
// FAT refuses names that ext4 takes). Implementations are stateless and safe on any thread.

#include <filesystem>
#include <string>

namespace core {

class OutputFileSystem {
  public:
    virtual ~OutputFileSystem() = default;

    // Each returns 0, or the errno of the failure: EEXIST when the name is taken, EINVAL (or EILSEQ)
    // when the file system refuses the name itself.
    virtual int makeFolder(const std::filesystem::path& path) const = 0;
    // Gives the file `from` the name `to` in the same folder, never replacing a file already there.
    virtual int placeFile(const std::filesystem::path& from, const std::filesystem::path& to) const = 0;

    // The machine's own file systems.
    static const OutputFileSystem& system();
};

// True for the errors by which a file system refuses a name as such.
bool isRefusedName(int error);

// `name` with every character that FAT, exFAT or SMB refuse (| : * ? " < > \ and trailing dots or
// spaces) replaced by "-".
std::string portableName(const std::string& name);

}  // namespace core
