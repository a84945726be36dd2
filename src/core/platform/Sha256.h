#pragma once
// SHA-256 of a byte string, as 64 lower-case hexadecimal digits. The journal
// and the backups name each version of a file by it. The system's own
// implementation does the hashing (Sha256_posix.cpp: Nettle,
// Sha256_win.cpp: Windows' CNG).

#include <string>
#include <string_view>

namespace platform {

std::string sha256Hex(std::string_view bytes);

} // namespace platform
