#include "Platform/Foundation/UUID.h"

#include <random>

namespace foundation {

UUID::UUID() {
    // One generator per thread, seeded from the system's entropy source: records are made on
    // several worker threads at once.
    thread_local std::mt19937_64 generator{[] {
        std::random_device device;
        std::seed_seq seed{device(), device(), device(), device(), device(), device(), device(), device()};
        return std::mt19937_64(seed);
    }()};
    for (std::size_t i = 0; i < bytes_.size(); i += 8) {
        const std::uint64_t word = generator();
        for (std::size_t b = 0; b < 8; ++b) bytes_[i + b] = static_cast<std::uint8_t>(word >> (8 * b));
    }
    bytes_[6] = static_cast<std::uint8_t>((bytes_[6] & 0x0F) | 0x40);  // version 4
    bytes_[8] = static_cast<std::uint8_t>((bytes_[8] & 0x3F) | 0x80);  // RFC 4122 variant
}

std::string UUID::uuidString() const {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kHex[bytes_[i] >> 4];
        text += kHex[bytes_[i] & 0x0F];
    }
    return text;
}

}  // namespace foundation
