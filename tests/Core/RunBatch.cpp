#include "RunBatch.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

#include "Platform/Foundation/Bundle.h"

namespace testsupport {

std::vector<SizedPreset> halfAndPngPresets() {
    return {
        {"Half",
         [](std::pair<int, int> s) {
             return std::pair{s.first / 2, s.second / 2};
         }},
        {"Png",  // a width alone sets the long side
         [](std::pair<int, int> s) {
             return s.first >= s.second ? std::pair{600, s.second * 600 / s.first}
                                        : std::pair{s.first * 600 / s.second, 600};
         }},
    };
}

std::string halfAndPngPresetsJson() {
    return "{\"presetName\": \"Half\", \"presetPercent\": 50}, "
           "{\"presetName\": \"Png\", \"presetWidth\": 600, \"outputFormat\": \"png\"}";
}

RunResult runBatch(const std::string& arguments, const std::filesystem::path* errors,
                   const std::string& shellSetup) {
    const auto runner = foundation::executableDirectory() / "vorta-batch";
    const std::string command =
        shellSetup + shellWord(runner) + " " + arguments + (errors ? " 2>" + shellWord(*errors) : " 2>&1");
    RunResult result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) result.output += buffer.data();
    result.status = WEXITSTATUS(::pclose(pipe.release()));
    return result;
}

namespace {

std::filesystem::path runnerPath() {
    return foundation::executableDirectory() / "vorta-batch";
}

}  // namespace

BatchProcess::BatchProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
    std::vector<std::string> variables;
    for (char** v = environ; *v; ++v) {
        const std::string variable = *v;
        const std::string name = variable.substr(0, variable.find('=') + 1);
        bool replaced = false;
        for (const auto& e : environment) replaced = replaced || e.starts_with(name);
        if (!replaced) variables.push_back(variable);
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<std::string> words{runnerPath().string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> list;
        for (auto& t : texts) list.push_back(t.data());
        list.push_back(nullptr);
        return list;
    };
    auto argv = pointers(words);
    auto envp = pointers(variables);

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    pipe_ = ends[0];
}

BatchProcess::~BatchProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (pipe_ >= 0) ::close(pipe_);
}

bool BatchProcess::readSome(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd watched{pipe_, POLLIN, 0};
    if (pipe_ < 0 || ::poll(&watched, 1, static_cast<int>(std::max<long long>(0, left.count()))) <= 0)
        return pipe_ >= 0;
    std::array<char, 4096> buffer{};
    const ssize_t n = ::read(pipe_, buffer.data(), buffer.size());
    if (n <= 0) {
        ::close(pipe_);
        pipe_ = -1;
        return false;
    }
    output_.append(buffer.data(), static_cast<std::size_t>(n));
    return true;
}

bool BatchProcess::waitForLine(const std::string& line, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (std::size_t end; (end = output_.find('\n', seen_)) != std::string::npos; seen_ = end + 1)
            if (output_.compare(seen_, line.size(), line) == 0) {
                seen_ = end + 1;
                return true;
            }
        if (std::chrono::steady_clock::now() >= deadline || !readSome(deadline)) return false;
    }
}

void BatchProcess::signal(int number) const {
    if (pid_ > 0) ::kill(pid_, number);
}

bool BatchProcess::waitForEnd(std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pipe_ >= 0 && std::chrono::steady_clock::now() < deadline) readSome(deadline);
    if (pid_ <= 0) return true;
    for (;;) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            endingSignal_ = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace testsupport
