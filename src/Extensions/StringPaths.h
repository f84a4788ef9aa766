#pragma once
// Path components of a "/"-separated path held as text, with the rules of Foundation's string
// path operations: repeated and trailing separators do not make empty components, a leading dot
// does not start an extension (".bashrc" has none). Pure functions; safe from any thread.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace str {

std::string lastPathComponent(std::string_view path);
// Without its dot; empty when there is none.
std::string pathExtension(std::string_view path);
std::string deletingPathExtension(std::string_view path);
std::string deletingLastPathComponent(std::string_view path);
std::string appendingPathComponent(std::string_view path, std::string_view component);
// Absent when the extension holds a "/" or is empty, or the path has no last component to extend.
std::optional<std::string> appendingPathExtension(std::string_view path, std::string_view extension);
// "/" stands first for an absolute path and last for a path ending in "/".
std::vector<std::string> pathComponents(std::string_view path);

}  // namespace str
