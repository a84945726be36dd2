// The POSIX half of RunningProcess.h.

#include "RunningProcess.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

extern char** environ;

namespace platform {

std::vector<std::string> processArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::filesystem::path executablePath() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

std::string firstEnvironmentEntry() {
    return (environ != nullptr && environ[0] != nullptr) ? std::string(environ[0]) : std::string();
}

#ifdef __APPLE__
bool displayAvailable() {
    return true;
}
#else
bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}
#endif

} // namespace platform
