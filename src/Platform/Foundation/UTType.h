#pragma once
// UTType: the type of a file's contents as the desktop judges it, from the shared-mime-info database:
// by the file's name, and by its first bytes where the name does not settle it. A camera RAW file in
// TIFF form (DNG, CR2, NEF, ARW, ...) is known by its header and directories too, whatever its name,
// and a JPEG, a PNG or a TIFF without a camera's sensor data under a camera RAW name is known as what
// it is. Only regular files are read.
// Types are named by their MIME identifiers ("image/jpeg"). Thread-safe.

#include <filesystem>
#include <string>
#include <vector>

namespace foundation {

class UTType {
  public:
    // The type of the file at `file` ("application/octet-stream" when nothing tells; "inode/fifo",
    // "inode/socket", ... for what is not a regular file, which is never opened).
    static UTType ofFile(const std::filesystem::path& file);
    // The type that the name of `file` alone says; the file is never touched.
    static UTType ofFileName(const std::filesystem::path& file);

    const std::string& identifier() const { return lineage_.front(); }
    // True for images of every kind, those no reader here can open (camera RAW) included.
    bool conformsToImage() const;
    // True for a camera's RAW file (a type under "image/x-dcraw": DNG, NEF, CR2, ARW, RAF, ...).
    bool conformsToCameraRaw() const;

  private:
    static UTType named(const std::string& identifier);
    explicit UTType(std::vector<std::string> lineage) : lineage_(std::move(lineage)) {}
    std::vector<std::string> lineage_;  // the type, then every type it derives from
};

}  // namespace foundation
