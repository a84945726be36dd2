#pragma once
// The wait of a run with a window for an installation another run holds: a
// small window says for whom it waits and for how long, with a Cancel button,
// while the event loop tries the lock again.

#include <chrono>
#include <string>

namespace installation {
class InstallationLock;
}

namespace widgets {

// The box's object name, for those that look for it.
inline constexpr const char* kLockWaitBoxName = "LockWaitBox";

// Waits until the busy lock is taken or the wait is over (true; the lock's
// state tells which), or until Cancel is clicked (false).
// The box says message (texts::lockWaitMessage).
bool waitForInstallationLock(installation::InstallationLock& lock, std::chrono::milliseconds wait,
                             const std::string& message);

} // namespace widgets
