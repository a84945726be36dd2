#pragma once
// Ends this process the way a kill from outside does: no clean-up, no exit
// handlers, no flushing. Only the test seam of RunTransaction.h uses it.

namespace platform {

[[noreturn]] void killThisProcess();

} // namespace platform
