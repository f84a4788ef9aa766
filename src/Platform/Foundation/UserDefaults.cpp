#include "Platform/Foundation/UserDefaults.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "Platform/Foundation/AtomicFile.h"

namespace foundation {

namespace {

std::optional<std::int64_t> parseLeadingInt(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i < s.size() && s[i] == '+') ++i;
    std::int64_t v = 0;
    const auto r = std::from_chars(s.data() + i, s.data() + s.size(), v);
    if (r.ec != std::errc()) return std::nullopt;
    return v;
}

std::optional<double> parseLeadingDouble(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i < s.size() && s[i] == '+') ++i;
    double v = 0;
    const auto r = std::from_chars(s.data() + i, s.data() + s.size(), v);
    if (r.ec != std::errc()) return std::nullopt;
    return v;
}

// Moves `file` to the first free name of "<file>.corrupt", "<file>.corrupt (2)", ...: each
// unreadable file is kept, none replaces one kept before (it may hold presets the user still wants).
std::optional<std::filesystem::path> keepAsideUnderFreeName(const std::filesystem::path& file) {
    for (int n = 1; n < 1000; ++n) {
        auto aside = file;
        aside += n == 1 ? std::string(".corrupt") : ".corrupt (" + std::to_string(n) + ")";
        std::error_code error;
        if (std::filesystem::symlink_status(aside, error).type() != std::filesystem::file_type::not_found)
            continue;
        if (::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0) return aside;
        if (errno == EEXIST) continue;
        // A file system without the refusing rename (FAT, some network shares): the name was free a
        // moment ago, and only this instance keeps its settings there.
        if (std::rename(file.c_str(), aside.c_str()) == 0) return aside;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file, std::error_code& error) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error.assign(errno, std::generic_category());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            // A folder in the file's place, a disk error: what was read is not the whole file.
            error.assign(errno, std::generic_category());
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return bytes;
}

}  // namespace

SettingsFileAccess SettingsFileAccess::system() {
    return {readWholeFile, keepAsideUnderFreeName};
}

UserDefaults::UserDefaults(std::filesystem::path file, const SettingsFileAccess& access)
    : file_(std::move(file)) {
    std::error_code error;
    const auto bytes = access.read(file_, error);
    if (!bytes && error == std::errc::no_such_file_or_directory) return;
    if (bytes) {
        const auto parsed = PlistValue::fromJSON(*bytes);
        if (parsed && parsed->dictionaryIf()) {
            persistent_ = *parsed->dictionaryIf();
            return;
        }
    }
    const std::string problem =
        bytes ? "could not be understood" : "could not be read (" + error.message() + ")";
    if (const auto aside = access.keepAside(file_)) {
        std::cout << "Settings file " << file_.string() << " " << problem << "; kept as " << aside->string()
                  << ", starting from the default settings" << std::endl;
        return;
    }
    // It may still hold the user's presets: what cannot be moved out of the way is not written over.
    keptFromSaving_ = "The settings file " + file_.string() + " " + problem +
                      " and could not be moved aside. The default settings are used, and no settings are "
                      "saved until the file can be read or is moved away.";
    std::cout << keptFromSaving_->c_str() << std::endl;
}

std::filesystem::path UserDefaults::standardFilePath() {
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".config";
    } else {
        // Without a home, the folder for temporary files; a TMPDIR that names no folder is no
        // reason to end the process.
        std::error_code ec;
        base = std::filesystem::temp_directory_path(ec);
        if (ec) base = "/tmp";
    }
    return base / "Vorta" / "settings.json";
}

UserDefaults& UserDefaults::standard() {
    static UserDefaults defaults(standardFilePath());
    return defaults;
}

void UserDefaults::registerDefaults(const PlistDictionary& defaults) {
    std::lock_guard lock(mutex_);
    for (const auto& [k, v] : defaults) registered_.insert_or_assign(k, v);
}

std::optional<PlistValue> UserDefaults::object(std::string_view key) const {
    std::lock_guard lock(mutex_);
    if (auto it = persistent_.find(key); it != persistent_.end()) return it->second;
    if (auto it = registered_.find(key); it != registered_.end()) return it->second;
    return std::nullopt;
}

void UserDefaults::set(std::string_view key, std::optional<PlistValue> value) {
    std::lock_guard lock(mutex_);
    if (value) {
        persistent_.insert_or_assign(std::string(key), std::move(*value));
    } else {
        const auto it = persistent_.find(key);
        if (it == persistent_.end()) return;
        persistent_.erase(it);
    }
    dirty_ = true;
    writeLocked();
}

void UserDefaults::removeObject(std::string_view key) {
    set(key, std::nullopt);
}

void UserDefaults::removePersistentDomain() {
    const std::lock_guard lock(mutex_);
    if (persistent_.empty()) return;
    persistent_.clear();
    dirty_ = true;
}

std::int64_t UserDefaults::integer(std::string_view key) const {
    const auto v = object(key);
    if (!v) return 0;
    if (auto s = v->stringIf()) return parseLeadingInt(*s).value_or(0);
    return v->toInt().value_or(0);
}

bool UserDefaults::boolean(std::string_view key) const {
    const auto v = object(key);
    if (!v) return false;
    if (auto s = v->stringIf()) {
        if (*s == "YES" || *s == "yes" || *s == "true" || *s == "TRUE") return true;
        return parseLeadingInt(*s).value_or(0) != 0;
    }
    return v->toBool().value_or(false);
}

double UserDefaults::doubleValue(std::string_view key) const {
    const auto v = object(key);
    if (!v) return 0.0;
    if (auto s = v->stringIf()) return parseLeadingDouble(*s).value_or(0.0);
    return v->toDouble().value_or(0.0);
}

float UserDefaults::floatValue(std::string_view key) const {
    return static_cast<float>(doubleValue(key));
}

std::optional<std::string> UserDefaults::string(std::string_view key) const {
    const auto v = object(key);
    if (!v) return std::nullopt;
    return v->toString();
}

std::optional<PlistArray> UserDefaults::array(std::string_view key) const {
    const auto v = object(key);
    if (!v || !v->arrayIf()) return std::nullopt;
    return *v->arrayIf();
}

std::optional<PlistDictionary> UserDefaults::dictionary(std::string_view key) const {
    const auto v = object(key);
    if (!v || !v->dictionaryIf()) return std::nullopt;
    return *v->dictionaryIf();
}

std::optional<Data> UserDefaults::data(std::string_view key) const {
    const auto v = object(key);
    if (!v || !v->dataIf()) return std::nullopt;
    return *v->dataIf();
}

bool UserDefaults::synchronize() {
    std::lock_guard lock(mutex_);
    return !dirty_ || writeLocked();
}

bool UserDefaults::writeLocked() {
    if (keptFromSaving_) return false;
    std::string error;
    if (!writeFileAtomically(file_, PlistValue(persistent_).toJSON(true), &error)) {
        std::cout << "Settings not saved: " << error << std::endl;
        return false;
    }
    dirty_ = false;
    return true;
}

}  // namespace foundation
