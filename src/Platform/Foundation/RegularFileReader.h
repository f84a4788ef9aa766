#pragma once
// Reads bytes of a regular file at given offsets, for the code that tells a file's type by its
// content. A named pipe, socket or device is never read, and opening one never blocks: the file is
// opened without waiting and dropped at once unless it is a regular file. One reader per thread.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace foundation {

class RegularFileReader {
  public:
    explicit RegularFileReader(const std::filesystem::path& file);
    ~RegularFileReader();
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;

    // False when the file is missing, unreadable or not a regular file.
    bool isOpen() const { return descriptor_ >= 0; }
    // Exactly `size` bytes from `offset`; false when the file holds fewer there.
    bool read(std::uint64_t offset, unsigned char* out, std::size_t size) const;

  private:
    int descriptor_ = -1;
};

}  // namespace foundation
