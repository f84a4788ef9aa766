#pragma once
// Runs the headless job runner (vorta-batch, built beside the tests) with shell-quoted arguments and
// collects what it printed. For end-to-end tests.

#include <filesystem>
#include <string>

namespace testsupport {

struct RunResult {
    int status = -1;
    std::string output;
};

// Standard error goes to the file `errors` when given, else into the output.
RunResult runBatch(const std::string& arguments, const std::filesystem::path* errors = nullptr);

}  // namespace testsupport
