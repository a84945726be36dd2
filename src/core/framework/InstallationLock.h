#pragma once
// One run at a time per installation.
//
// A run holds an exclusive lock on a lock file in the component folder (the
// executable base name + ".lock") from loading until the process ends. The
// lock is the operating system's (flock on Linux, LockFileEx on Windows) and
// belongs to the open file: when the process ends in any way, killed
// included, the system releases it, so a stale lock cannot outlive its run.
// The file itself stays where it is; its existence means nothing, and it is
// never removed (removing it would let two runs lock two different files).
//
// Run as root, the program creates the lock file with the component folder's
// owner and group, as every file it creates there.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

namespace framework {

class ProgramState;

// How long a second run waits for the run that holds the installation.
inline constexpr std::chrono::seconds kInstallationLockWait{30};
// How often it tries again meanwhile.
inline constexpr std::chrono::milliseconds kInstallationLockPoll{100};

inline constexpr std::string_view kAnotherRunMessage = "another run is editing this installation";

// The lock file of the running program: executable folder + base name + ".lock".
std::filesystem::path installationLockPath(const ProgramState& program);

class InstallationLock {
public:
    enum class State {
        Held,        // this run holds the installation
        Busy,        // another run held it for the whole wait
        NotWritable, // the folder refuses a new file: no run of this user can change
                     // anything there, so the run goes on without the lock
        Failed,      // the lock file cannot be opened or locked (see problem())
    };

    // Opens the lock file (creating it when missing) and tries to lock it
    // until the wait is over, polling at the given interval.
    InstallationLock(const std::filesystem::path& file, std::chrono::milliseconds wait,
                     std::chrono::milliseconds poll = kInstallationLockPoll);
    // Releases the lock and closes the file.
    ~InstallationLock();
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    State state() const { return state_; }
    // Whether the run may go on.
    bool mayProceed() const { return state_ == State::Held || state_ == State::NotWritable; }
    // What went wrong when the state is Failed.
    const std::string& problem() const { return problem_; }

private:
    State state_ = State::Failed;
    std::string problem_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

} // namespace framework
