#include "InstallationLock.h"

#include "platform/FileSystem.h"
#include "run/ProgramState.h"
#include "RunJournal.h"

#include <algorithm>
#include <thread>

namespace fs = std::filesystem;

namespace installation {
namespace {

// More than any holder text this program writes.
constexpr std::size_t kHolderTextLimit = 120;

// The holder's text as written, or "" for anything else a file may hold.
std::string holderOf(const std::string& text) {
    const std::string line = text.substr(0, text.find('\n'));
    const bool printable =
        std::all_of(line.begin(), line.end(), [](char c) { return c >= ' ' && c <= '~'; });
    return printable && line.starts_with("process ") ? line : std::string();
}

} // namespace

fs::path installationLockPath(const run::ProgramState& program) {
    return platform::pathFromUtf8(program.executableFolder) /
           platform::pathFromUtf8(program.executableBaseName + ".lock");
}

InstallationLock::InstallationLock(const fs::path& file, std::chrono::milliseconds wait,
                                   const BusyNotice& onBusy, std::chrono::milliseconds poll,
                                   Access access)
    : access_(access), file_(file, access == Access::Exclusive),
      started_(readableTime(WallClock::now())) {
    if (!file_.isOpen()) {
        std::error_code ignored;
        if (access == Access::Shared && !fs::exists(fs::symlink_status(file, ignored)))
            state_ = State::NoLockFile;
        else
            state_ = file_.folderRefusedFile() ? State::NotWritable : State::Failed;
        return;
    }
    attempt();
    if (state_ != State::Busy)
        return;
    holder_ = holderOf(file_.readText(kHolderTextLimit));
    if (onBusy)
        onBusy(holder_);
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (state_ == State::Busy && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(poll);
        attempt();
    }
}

bool InstallationLock::tryAgain() {
    if (state_ == State::Busy)
        attempt();
    return mayProceed();
}

void InstallationLock::attempt() {
    switch (file_.tryLock(access_)) {
    case platform::FileLock::Attempt::Locked:
        state_ = State::Held;
        if (access_ == Access::Exclusive)
            file_.writeText("process " + std::to_string(platform::currentProcessId()) +
                            ", started " + started_ + "\n");
        return;
    case platform::FileLock::Attempt::Busy:
        state_ = State::Busy;
        return;
    case platform::FileLock::Attempt::Failed:
        state_ = State::Failed;
        return;
    }
}

} // namespace installation
