#include "ProgramRun.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// The process's own environment, one "NAME=value" entry each.
std::vector<std::string> ownEnvironment() {
    std::vector<std::string> entries;
#ifdef _WIN32
    if (LPWCH block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
            const std::u8string text = fs::path(entry).u8string();
            entries.emplace_back(text.begin(), text.end());
        }
        FreeEnvironmentStringsW(block);
    }
#else
    for (char** entry = environ; *entry != nullptr; ++entry)
        entries.emplace_back(*entry);
#endif
    return entries;
}

} // namespace

std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra) {
    std::vector<std::string> entries;
    for (std::string& text : ownEnvironment()) {
        const bool display = text.starts_with("DISPLAY=") || text.starts_with("WAYLAND_DISPLAY=") ||
                             text.starts_with("QT_QPA_PLATFORM=");
        if (!display)
            entries.push_back(std::move(text));
    }
    entries.insert(entries.end(), extra.begin(), extra.end());
    return entries;
}

std::string describe(const Ending& ending) {
    return (ending.exited ? "exit " : "signal ") + std::to_string(ending.status);
}

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

// One argument as the C run-time's command-line parser takes it back; the
// tests pass none that holds a quote or ends with a backslash.
std::wstring quoted(const std::wstring& argument) {
    return L"\"" + argument + L"\"";
}

HANDLE inheritable(const fs::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &attributes,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

ProgramRun::ProgramRun(const fs::path& program, const std::vector<std::string>& arguments,
                       const fs::path& errorFile, const std::vector<std::string>& environment,
                       const fs::path& outputFile)
    : errorFile_(errorFile), outputFile_(outputFile) {
    std::wstring commandLine = quoted(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + quoted(wide(argument));
    std::wstring block;
    for (const std::string& entry : environment)
        block += wide(entry) + L'\0';
    block += L'\0';

    const HANDLE input = inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE output = outputFile.empty()
                              ? inheritable("NUL", GENERIC_WRITE, OPEN_EXISTING)
                              : inheritable(outputFile, GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE error = inheritable(errorFile, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(), nullptr,
                       &startup, &process)) {
        process_ = process.hProcess;
        CloseHandle(process.hThread);
    }
    for (const HANDLE handle : {input, output, error})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
}

ProgramRun::~ProgramRun() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, INFINITE);
        CloseHandle(process_);
    }
}

void ProgramRun::kill() const {
    if (process_ != nullptr)
        TerminateProcess(process_, 1);
}

Ending ProgramRun::wait() {
    Ending ending;
    if (process_ == nullptr)
        return ending;
    WaitForSingleObject(process_, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process_, &status);
    CloseHandle(process_);
    process_ = nullptr;
    ending.exited = true;
    ending.status = int(status);
    ending.errorOutput = readFile(errorFile_);
    if (!outputFile_.empty())
        ending.output = readFile(outputFile_);
    return ending;
}

#else

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

Ending ProgramRun::wait() {
    Ending ending;
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, 0) != pid_)
        return ending;
    pid_ = -1;
    ending.exited = WIFEXITED(status);
    ending.status = WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
    ending.errorOutput = readFile(errorFile_);
    if (!outputFile_.empty())
        ending.output = readFile(outputFile_);
    return ending;
}

#endif

} // namespace testsupport
