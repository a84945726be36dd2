#include "FileClone.h"

namespace platform {

// Block cloning exists only on ReFS volumes; the caller writes the copy.
bool cloneFile(const std::filesystem::path&, const std::filesystem::path&) {
    return false;
}

void giveCopyOwnerAndMode(const std::filesystem::path&, const std::filesystem::path&) {}

} // namespace platform
