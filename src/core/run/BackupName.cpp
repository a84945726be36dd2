#include "BackupName.h"

#include <cstddef>

namespace run {

bool isBackupName(std::string_view name) {
    constexpr std::string_view kForm = "dddd-dd-dd_dd-dd-dd";
    if (name.size() != kForm.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (kForm[i] == 'd' ? (name[i] < '0' || name[i] > '9') : name[i] != kForm[i])
            return false;
    return true;
}

} // namespace run
