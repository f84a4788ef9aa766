#pragma once
// Runs the headless job runner (vorta-batch, built beside the tests) with shell-quoted arguments and
// collects what it printed. For end-to-end tests.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Support/ShellWord.h"

namespace testsupport {

struct RunResult {
    int status = -1;
    std::string output;
};

// A preset given to the runner, with the sides it gives a source of the given sides.
struct SizedPreset {
    std::string name;
    std::function<std::pair<int, int>(std::pair<int, int>)> size;
};

// Two presets that refuse no source for its size: "Half" (half of each side, in the source's format)
// and "Png" (600 px wide, written as PNG, whose encoder asks for the pixels in its own way).
std::vector<SizedPreset> halfAndPngPresets();
// Their entries for --presets-json, without the list's brackets.
std::string halfAndPngPresetsJson();

// Standard error goes to the file `errors` when given, else into the output. `shellSetup` runs in the
// shell first (limits, traps).
RunResult runBatch(const std::string& arguments, const std::filesystem::path* errors = nullptr,
                   const std::string& shellSetup = {});

// The runner started in the background, for tests that signal it mid-job or change its environment.
// Its standard output and error are collected together. Killed if still running when it goes.
class BatchProcess {
  public:
    // `environment` adds or replaces variables ("NAME=value").
    explicit BatchProcess(const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment = {});
    ~BatchProcess();
    BatchProcess(const BatchProcess&) = delete;
    BatchProcess& operator=(const BatchProcess&) = delete;

    // Reads until a line equal to `line` or starting with it has been printed; false when the runner
    // ended or `timeout` passed first.
    bool waitForLine(const std::string& line, std::chrono::seconds timeout);
    void signal(int number) const;
    // Reads the rest of the output and waits for the end; false when it still runs after `timeout`.
    bool waitForEnd(std::chrono::seconds timeout);

    const std::string& output() const { return output_; }
    // After the end: the exit status, or -1 when a signal ended the process.
    int exitStatus() const { return exitStatus_; }
    // After the end: the signal that ended the process, 0 when it exited.
    int endingSignal() const { return endingSignal_; }

  private:
    // Reads what is there, waiting until `deadline` for something; false at the end of the output.
    bool readSome(std::chrono::steady_clock::time_point deadline);

    pid_t pid_ = -1;
    int pipe_ = -1;
    std::size_t seen_ = 0;  // how much of the output waitForLine has looked at
    std::string output_;
    int exitStatus_ = -1;
    int endingSignal_ = 0;
};

}  // namespace testsupport
