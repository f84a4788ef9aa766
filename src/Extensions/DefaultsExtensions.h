#pragma once
// Settings conveniences: the launch counters, forgetting every setting, typed reads that are absent
// for another type, values stored as encoded bytes, and images stored as PNG. Reading and writing a
// key by name is UserDefaults::object and UserDefaults::set. Safe from any thread, as the settings
// are.

#include <exception>
#include <optional>
#include <string_view>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Platform/Image/Image.h"

namespace found {

// Records a launch: in `defaults`, "UD_AppCloses", "UD_AppCrashed" and "UD_AppCrashedPast" become 0,
// "UD_Relaunch" becomes true and "UD_AppVersion" the application's short version text (removed
// when the bundle has none); "UD_AppOpens" grows by one (stopping at the largest integer) in the
// app-wide settings, userDefaults(), whatever `defaults` is.
void recordAppLaunch(foundation::UserDefaults& defaults);

// Forgets every setting the application made and saves; nothing happens for a bundle without an
// identifier.
void resetAll(foundation::UserDefaults& defaults);

// Removes the layout-debugging key "NSConstraintBasedLayoutVisualizeMutuallyExclusiveConstraints".
void removeConstraintVisualisationKey(foundation::UserDefaults& defaults);

// The stored number when single precision holds it exactly, and the stored date; absent otherwise.
std::optional<float> floatIfPresent(const foundation::UserDefaults& defaults, std::string_view key);
std::optional<foundation::Date> dateIfPresent(const foundation::UserDefaults& defaults, std::string_view key);

// The value that `decode` makes of the bytes stored under `key`; absent without bytes or when
// decoding fails (returns absent or throws).
template <class T, class Decoder>
std::optional<T> decodedObject(const foundation::UserDefaults& defaults, std::string_view key,
                               Decoder decode) {
    const auto value = defaults.object(key);
    const foundation::Data* bytes = value ? value->dataIf() : nullptr;
    if (bytes == nullptr) return std::nullopt;
    try {
        return std::optional<T>(decode(*bytes));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// Stores the bytes that `encode` makes of `value`; when encoding fails (absent or thrown) the key is
// removed.
template <class T, class Encoder>
void setEncoded(foundation::UserDefaults& defaults, const T& value, std::string_view key, Encoder encode) {
    std::optional<foundation::Data> bytes;
    try {
        bytes = encode(value);
    } catch (const std::exception&) {
        bytes.reset();
    }
    if (bytes) {
        defaults.set(key, foundation::PlistValue(std::move(*bytes)));
    } else {
        defaults.set(key, std::nullopt);
    }
}

// The image stored under `key`; absent when the bytes are no image the loader accepts.
std::optional<image::Image> image(const foundation::UserDefaults& defaults, std::string_view key);
// Stores a present image as PNG bytes and saves; an absent image (or one that cannot be encoded)
// changes nothing.
void setImage(foundation::UserDefaults& defaults, const std::optional<image::Image>& picture,
              std::string_view key);

}  // namespace found
