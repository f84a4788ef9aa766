#include "Extensions/StringPaths.h"

namespace str {
namespace {

// A path taken apart: whether it starts at the root, and its non-empty components.
struct SplitPath {
    bool absolute = false;
    std::vector<std::string> components;
};

SplitPath split(std::string_view path) {
    SplitPath out;
    out.absolute = !path.empty() && path.front() == '/';
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        if (end > start) out.components.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string joined(const SplitPath& p) {
    std::string out = p.absolute ? "/" : "";
    for (std::size_t i = 0; i < p.components.size(); ++i) {
        if (i > 0) out += '/';
        out += p.components[i];
    }
    return out;
}

// The position of the dot that starts the extension of `component`; npos when it has none.
std::size_t extensionDot(std::string_view component) {
    const auto dot = component.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == component.size())
        return std::string_view::npos;
    return dot;
}

}  // namespace

std::string lastPathComponent(std::string_view path) {
    const SplitPath p = split(path);
    if (p.components.empty()) return p.absolute ? "/" : "";
    return p.components.back();
}

std::string pathExtension(std::string_view path) {
    const SplitPath p = split(path);
    if (p.components.empty()) return {};
    const std::string& last = p.components.back();
    const auto dot = extensionDot(last);
    return dot == std::string::npos ? std::string() : last.substr(dot + 1);
}

std::string deletingPathExtension(std::string_view path) {
    SplitPath p = split(path);
    if (p.components.empty()) return joined(p);
    std::string& last = p.components.back();
    if (const auto dot = extensionDot(last); dot != std::string::npos) last.erase(dot);
    return joined(p);
}

std::string deletingLastPathComponent(std::string_view path) {
    SplitPath p = split(path);
    if (!p.components.empty()) p.components.pop_back();
    return joined(p);
}

std::string appendingPathComponent(std::string_view path, std::string_view component) {
    SplitPath p = split(path);
    for (auto& c : split(component).components) p.components.push_back(std::move(c));
    if (path.empty() && !component.empty() && component.front() == '/') p.absolute = true;
    return joined(p);
}

std::optional<std::string> appendingPathExtension(std::string_view path, std::string_view extension) {
    SplitPath p = split(path);
    if (extension.empty() || extension.find('/') != std::string_view::npos || p.components.empty())
        return std::nullopt;
    p.components.back() += "." + std::string(extension);
    return joined(p);
}

std::vector<std::string> pathComponents(std::string_view path) {
    const SplitPath p = split(path);
    std::vector<std::string> out;
    if (p.absolute) out.emplace_back("/");
    out.insert(out.end(), p.components.begin(), p.components.end());
    if (!p.components.empty() && path.back() == '/') out.emplace_back("/");
    return out;
}

}  // namespace str
