#include "EditChoices.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <system_error>
#include <vector>

namespace editing {
namespace {

constexpr std::array<std::int16_t, 3> kEndModes = {2, 16, 18};

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

int positionModeListPosition(std::int16_t posMode) {
    return posMode >= 0 && posMode < std::int16_t(kPositionModeEntries.size()) ? posMode : -1;
}

int endModeListPosition(std::int16_t endMode) {
    const auto found = std::find(kEndModes.begin(), kEndModes.end(), endMode);
    return found == kEndModes.end() ? -1 : int(found - kEndModes.begin());
}

std::int16_t positionModeAt(int listPosition) {
    return std::int16_t(listPosition);
}

std::int16_t endModeAt(int listPosition) {
    return listPosition == 0 ? 2 : listPosition == 1 ? 16 : 18;
}

std::string programChooserStart(const std::string& programPath,
                                const std::string& installationFolder) {
    // Stored paths may hold either separator; the folder keeps its last one,
    // so that a drive's or the system's root stays a folder.
    const std::size_t lastSeparator = programPath.find_last_of("\\/");
    if (lastSeparator == std::string::npos)
        return installationFolder;
    std::error_code ignored;
    const bool folderExists = std::filesystem::is_directory(
        platform::nativePath(std::string_view(programPath).substr(0, lastSeparator + 1)), ignored);
    return folderExists ? programPath : installationFolder;
}

std::string nameFilters(std::string_view pairedFilter) {
    const std::vector<std::string_view> parts = split(pairedFilter, '|');
    std::string filters;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string patterns;
        if (i + 1 < parts.size())
            for (std::string_view pattern : split(parts[i + 1], ';'))
                if (!pattern.empty())
                    patterns += (patterns.empty() ? "" : " ") + std::string(pattern);
        if (patterns.empty())
            patterns = "*";
        if (!filters.empty())
            filters += ";;";
        filters += std::string(parts[i]) + " (" + patterns + ")";
    }
    return filters;
}

} // namespace editing
