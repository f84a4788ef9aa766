#include "RunBatch.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>

#include "Platform/Foundation/Bundle.h"

namespace testsupport {

RunResult runBatch(const std::string& arguments, const std::filesystem::path* errors) {
    const auto runner = foundation::executableDirectory() / "vorta-batch";
    const std::string command =
        "'" + runner.string() + "' " + arguments + (errors ? " 2>'" + errors->string() + "'" : " 2>&1");
    RunResult result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe.get())) result.output += buffer.data();
    result.status = WEXITSTATUS(::pclose(pipe.release()));
    return result;
}

}  // namespace testsupport
