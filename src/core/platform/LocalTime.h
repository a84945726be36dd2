#pragma once
// A moment as the calendar and clock of the machine's time zone show it.

#include <ctime>

namespace platform {

// The local calendar time of the seconds since 1970 (localtime_r on POSIX
// systems, localtime_s on Windows: neither shares a buffer between threads).
std::tm localTime(std::time_t seconds);

} // namespace platform
