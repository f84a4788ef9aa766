#include "Support/OtherUser.h"

#include <grp.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

bool becomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

bool nobodyMay(const std::filesystem::path& path, int mode) {
    const pid_t asking = ::fork();
    if (asking == 0) ::_exit(becomeNobody() && ::access(path.c_str(), mode) == 0 ? 0 : 1);
    int status = 0;
    return asking > 0 && ::waitpid(asking, &status, 0) == asking && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::filesystem::path placeNobodyReaches() {
    const std::filesystem::path temporary = std::filesystem::temp_directory_path();
    if (::geteuid() != 0) return temporary;
    for (const std::filesystem::path& place :
         {temporary, std::filesystem::path("/tmp"), std::filesystem::path("/var/tmp"),
          std::filesystem::path("/dev/shm")}) {
        struct statvfs mount {};
        if (::statvfs(place.c_str(), &mount) == 0 && !(mount.f_flag & ST_NOEXEC) && nobodyMay(place, X_OK))
            return place;
    }
    return temporary;
}

}  // namespace testsupport
