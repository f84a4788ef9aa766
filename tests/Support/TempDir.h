#pragma once
// A fresh folder under the system temporary folder (or under a given one), removed with everything in it
// on destruction.

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    explicit TempDir(const std::filesystem::path& under);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes `bytes` to a file below the folder and returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;
    static std::string read(const std::filesystem::path& file);

  private:
    std::filesystem::path path_;
};

}  // namespace testsupport
