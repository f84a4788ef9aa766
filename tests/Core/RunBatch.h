#pragma once
// Runs the headless job runner (vorta-batch, built beside the tests) with shell-quoted arguments and
// collects what it printed. For end-to-end tests.

#include <string>

namespace testsupport {

struct RunResult {
    int status = -1;
    std::string output;
};

RunResult runBatch(const std::string& arguments);

}  // namespace testsupport
