#pragma once
// UTType: the type of a file's contents as the desktop judges it, from the shared-mime-info database:
// by the file's name, and by its first bytes where the name does not settle it. Types are named by
// their MIME identifiers ("image/jpeg"). Thread-safe.

#include <filesystem>
#include <string>
#include <vector>

namespace foundation {

class UTType {
  public:
    // The type of the file at `file` ("application/octet-stream" when nothing tells).
    static UTType ofFile(const std::filesystem::path& file);

    const std::string& identifier() const { return lineage_.front(); }
    // True for images of every kind, those no reader here can open (camera RAW) included.
    bool conformsToImage() const;

  private:
    explicit UTType(std::vector<std::string> lineage) : lineage_(std::move(lineage)) {}
    std::vector<std::string> lineage_;  // the type, then every type it derives from
};

}  // namespace foundation
