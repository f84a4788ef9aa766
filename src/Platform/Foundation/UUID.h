#pragma once
// UUID: a random (version 4) universally unique identifier, the identity of records that are
// copied between lists and threads. Plain value.

#include <array>
#include <cstdint>
#include <string>

namespace foundation {

class UUID {
  public:
    // A new random identifier.
    UUID();

    // The upper-case text form, e.g. "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
    std::string uuidString() const;

    bool operator==(const UUID&) const = default;
    auto operator<=>(const UUID&) const = default;

  private:
    std::array<std::uint8_t, 16> bytes_{};
};

}  // namespace foundation
