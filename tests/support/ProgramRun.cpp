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
    const LPWCH block = GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::u8string text = fs::path(entry).u8string();
        entries.emplace_back(text.begin(), text.end());
    }
    FreeEnvironmentStringsW(block);
#else
    for (char** entry = environ; *entry != nullptr; ++entry)
        entries.emplace_back(*entry);
#endif
    return entries;
}

} // namespace

std::vector<std::string> environmentWithoutDisplay(const std::vector<std::string>& extra) {
    std::vector<std::string> entries;
    for (std::string& text : ownEnvironment())
        if (!text.starts_with("DISPLAY=") && !text.starts_with("WAYLAND_DISPLAY=") &&
            !text.starts_with("QT_QPA_PLATFORM="))
            entries.push_back(std::move(text));
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

HANDLE handleOf(long long process) {
    return reinterpret_cast<HANDLE>(process);
}

} // namespace

ProgramRun::ProgramRun(const fs::path& program, const std::vector<std::string>& arguments,
                       const fs::path& errorFile, const std::vector<std::string>& environment)
    : errorFile_(errorFile) {
    std::wstring commandLine = quoted(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + quoted(wide(argument));
    std::wstring block;
    for (const std::string& entry : environment)
        block += wide(entry) + L'\0';
    block += L'\0';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = inheritable(outputFile(), GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = inheritable(errorFile, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(), nullptr,
                       &startup, &process)) {
        process_ = reinterpret_cast<long long>(process.hProcess);
        CloseHandle(process.hThread);
    }
    for (const HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        CloseHandle(handle);
}

ProgramRun::~ProgramRun() {
    kill();
    wait();
}

void ProgramRun::kill() const {
    if (process_ != -1)
        TerminateProcess(handleOf(process_), 1);
}

Ending ProgramRun::wait() {
    Ending ending;
    if (process_ == -1)
        return ending;
    WaitForSingleObject(handleOf(process_), INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(handleOf(process_), &status);
    CloseHandle(handleOf(process_));
    process_ = -1;
    ending.exited = true;
    ending.status = int(status);
    ending.errorOutput = readFile(errorFile_);
    ending.output = readFile(outputFile());
    return ending;
}

#else

ProgramRun::ProgramRun(const fs::path& program, const std::vector<std::string>& arguments,
                       const fs::path& errorFile, const std::vector<std::string>& environment)
    : errorFile_(errorFile) {
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<std::string> entries = environment;
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (auto [from, to] : {std::pair(&texts, &argv), {&entries, &envp}}) {
        for (std::string& text : *from)
            to->push_back(text.data());
        to->push_back(nullptr);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const auto& [fd, file] : {std::pair(1, outputFile()), {2, errorFile}})
        posix_spawn_file_actions_addopen(&actions, fd, file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0)
        process_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

ProgramRun::~ProgramRun() {
    kill();
    wait();
}

void ProgramRun::kill() const {
    if (process_ != -1)
        ::kill(pid_t(process_), SIGKILL);
}

Ending ProgramRun::wait() {
    Ending ending;
    int status = 0;
    if (process_ == -1 || waitpid(pid_t(process_), &status, 0) != pid_t(process_))
        return ending;
    process_ = -1;
    ending.exited = WIFEXITED(status);
    ending.status = WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
    ending.errorOutput = readFile(errorFile_);
    ending.output = readFile(outputFile());
    return ending;
}

#endif

} // namespace testsupport
