#include "AccessFileName.h"

#include "platform/FileSystem.h"

#include <windows.h>

namespace presetdb {
namespace {

// The path in the ANSI code page, when every character has its own there.
std::optional<std::string> ansiText(const std::wstring& wide) {
    if (wide.empty())
        return std::string();
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                         int(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return std::nullopt;
    std::string narrow(std::size_t(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), narrow.data(),
                        size, nullptr, &lossy);
    if (lossy)
        return std::nullopt;
    return narrow;
}

} // namespace

std::optional<std::string> narrowFileName(const std::filesystem::path& file) {
    if (GetACP() == CP_UTF8)
        return platform::utf8Text(file);
    if (auto narrow = ansiText(file.native()))
        return narrow;
    // The 8.3 name, which is plain ASCII, where the volume keeps such names.
    const DWORD size = GetShortPathNameW(file.c_str(), nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring shortName(size, L'\0');
    const DWORD length = GetShortPathNameW(file.c_str(), shortName.data(), size);
    if (length == 0 || length >= size)
        return std::nullopt;
    shortName.resize(length);
    return ansiText(shortName);
}

} // namespace presetdb
