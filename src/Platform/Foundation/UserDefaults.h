#pragma once
// UserDefaults: the application's settings. A registration domain (values that hold until the user
// sets their own) under a persistent domain kept in a JSON file. Every member is thread-safe: the
// batch worker reads and writes settings while the screens do.

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

// How the settings file is read and moved aside; tests stand in for a file system that refuses.
struct SettingsFileAccess {
    // The file's bytes; absent with `error` set when they cannot be read (a missing file gives
    // std::errc::no_such_file_or_directory).
    std::function<std::optional<std::string>(const std::filesystem::path&, std::error_code& error)> read;
    // Moves the file to the first free name of "<file>.corrupt", "<file>.corrupt (2)", ... and returns
    // it; absent when the file cannot be moved.
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path&)> keepAside;

    static SettingsFileAccess system();
};

class UserDefaults {
  public:
    // Settings kept in `file`. A file that cannot be read or parsed is kept aside and the persistent
    // domain starts empty; one that cannot be read nor moved is never written over: the settings
    // then live in memory only and keptFromSaving() says why.
    explicit UserDefaults(std::filesystem::path file,
                          const SettingsFileAccess& access = SettingsFileAccess::system());

    // The process-wide settings in $XDG_CONFIG_HOME/Vorta/settings.json (~/.config when unset).
    static UserDefaults& standard();
    static std::filesystem::path standardFilePath();

    void registerDefaults(const PlistDictionary& defaults);

    // The persistent value when set, else the registered one, else absent.
    std::optional<PlistValue> object(std::string_view key) const;
    // Absent removes the key from the persistent domain.
    void set(std::string_view key, std::optional<PlistValue> value);
    void removeObject(std::string_view key);
    // Removes every value the application set; the registered ones hold again.
    void removePersistentDomain();

    // Typed reads with the platform's answers for a missing or mistyped key.
    std::int64_t integer(std::string_view key) const;  // 0
    bool boolean(std::string_view key) const;          // false
    double doubleValue(std::string_view key) const;    // 0.0
    float floatValue(std::string_view key) const;      // 0.0f
    std::optional<std::string> string(std::string_view key) const;
    std::optional<PlistArray> array(std::string_view key) const;
    std::optional<PlistDictionary> dictionary(std::string_view key) const;
    std::optional<Data> data(std::string_view key) const;

    // Writes the persistent domain if it has unsaved changes. False when the write failed; the file
    // on disk is then the previous complete version.
    bool synchronize();

    const std::filesystem::path& filePath() const { return file_; }
    // Why nothing is saved (the file could not be read, and could not be moved aside); absent when
    // the settings are saved as usual.
    const std::optional<std::string>& keptFromSaving() const { return keptFromSaving_; }

  private:
    bool writeLocked();

    std::filesystem::path file_;
    mutable std::mutex mutex_;
    PlistDictionary registered_;
    PlistDictionary persistent_;
    bool dirty_ = false;
    std::optional<std::string> keptFromSaving_;  // fixed once made
};

}  // namespace foundation
