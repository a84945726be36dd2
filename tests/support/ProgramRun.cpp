#include "ProgramRun.h"

#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace testsupport {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const bool display = text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
                             text.starts_with("QT_QPA_PLATFORM=");
        if (!display)
            entries.emplace_back(text);
    }
    entries.insert(entries.end(), extra.begin(), extra.end());
    return entries;
}

std::string describe(const Ending& ending) {
    if (ending.timedOut)
        return "killed after its time limit";
    return (ending.exited ? "exit " : "signal ") + std::to_string(ending.status);
}

ProgramRun::ProgramRun(const fs::path& program, const std::vector<std::string>& arguments,
                       const fs::path& errorFile, const std::vector<std::string>& environment,
                       const fs::path& outputFile)
    : errorFile_(errorFile), outputFile_(outputFile) {
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    std::vector<std::string> environmentTexts = environment;
    std::vector<char*> envp;
    for (std::string& entry : environmentTexts)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    else
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ProgramRun::~ProgramRun() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void ProgramRun::kill() const {
    if (pid_ > 0)
        ::kill(pid_, SIGKILL);
}

Ending ProgramRun::wait(std::chrono::milliseconds limit) {
    Ending ending;
    if (pid_ <= 0)
        return ending;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(pid_, &status, WNOHANG)) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ending.timedOut = true;
            ::kill(pid_, SIGKILL);
            ended = waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (ended != pid_)
        return ending;
    pid_ = -1;
    ending.exited = WIFEXITED(status) && !ending.timedOut;
    ending.status = WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
    ending.errorOutput = readFile(errorFile_);
    if (!outputFile_.empty())
        ending.output = readFile(outputFile_);
    return ending;
}

} // namespace testsupport
