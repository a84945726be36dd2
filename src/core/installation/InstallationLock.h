#pragma once
// One run at a time per installation.
//
// A run holds an exclusive lock on a lock file in the component folder (the
// executable base name + ".lock") from loading until the process ends
// (FileLock.h: the system releases it however the process ends). The file
// itself stays where it is; its existence means nothing, and it is never
// removed (removing it would let two runs lock two different files).
//
// The holder writes who it is into the file: "process <id>, started
// yyyy-mm-dd hh:mm:ss" (local time). A killed holder's text stays, but so
// does nothing else of it, so the text is read only while the lock is busy:
// a run that has to wait says at once for whom it waits (the words are the
// program's messages, texts/ProgramMessages.h).
//
// A run that only reads the installation (/LIST, /EXPORT, /COMPARE) takes a
// shared lock instead: it waits for a run that writes, never for another
// reader, and neither creates the lock file nor writes into it.
//
// Run as root, the program creates the lock file with the component folder's
// owner and group, as every file it creates there.

#include "platform/FileLock.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace run {
class ProgramState;
}

namespace installation {

// How long a second run waits for the run that holds the installation.
inline constexpr std::chrono::seconds kInstallationLockWait{30};
// How often it tries again meanwhile.
inline constexpr std::chrono::milliseconds kInstallationLockPoll{100};

// The lock file of the running program: executable folder + base name + ".lock".
std::filesystem::path installationLockPath(const run::ProgramState& program);

class InstallationLock {
public:
    enum class State {
        Held,        // this run holds the installation
        Busy,        // another run held it for the whole wait
        NotWritable, // the folder refuses a new file: no run of this user can change
                     // anything there, so the run goes on without the lock
        Failed,      // the lock file cannot be opened or locked (see problem())
        NoLockFile,  // a shared lock without a lock file: no run holds the installation
    };
    using Access = platform::FileLock::Mode;
    // Told once, before waiting, who holds the lock (see holder()).
    using BusyNotice = std::function<void(const std::string& holder)>;

    // Opens the lock file (creating it when missing) and tries to lock it
    // until the wait is over, polling at the given interval. Found busy, it
    // tells onBusy before it waits.
    InstallationLock(const std::filesystem::path& file, std::chrono::milliseconds wait,
                     const BusyNotice& onBusy = {},
                     std::chrono::milliseconds poll = kInstallationLockPoll,
                     Access access = Access::Exclusive);
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    State state() const { return state_; }
    // Whether the run may go on.
    bool mayProceed() const {
        return state_ == State::Held || state_ == State::NotWritable || state_ == State::NoLockFile;
    }
    // What went wrong when the state is Failed.
    const std::string& problem() const { return file_.problem(); }
    // Who held the lock when it was found busy: "process <id>, started <time>",
    // or "" when the file does not say.
    const std::string& holder() const { return holder_; }

    // One more attempt, without waiting, at a lock still Busy (for a caller
    // that waits in its own way); true when the run may go on now.
    bool tryAgain();

private:
    void attempt();

    Access access_;
    platform::FileLock file_;
    std::string started_; // when this run first asked for the lock
    State state_ = State::Failed;
    std::string holder_;
};

} // namespace installation
