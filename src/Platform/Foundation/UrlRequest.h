#pragma once
// UrlRequest: a description of an HTTP request (address, method, header fields in the order they were
// set, body, cache policy and time-out), as the platform's URL request holds it. It sends nothing.
// A plain value; safe to copy between threads.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Platform/Foundation/PlistValue.h"
#include "Platform/Foundation/Url.h"

namespace foundation {

struct UrlRequest {
    std::optional<Url> url;
    std::string httpMethod = "GET";
    std::vector<std::pair<std::string, std::string>> headerFields;
    std::optional<Data> httpBody;
    int cachePolicy = 0;  // the protocol's default
    double timeoutInterval = 60;

    // Replaces the value of a field of the same name (compared without letter case), else appends one.
    void setValue(std::string value, const std::string& field);
};

}  // namespace foundation
