// What OpenFile does alike on every system; the system calls are in
// PlatformFiles_posix.cpp and PlatformFiles_win.cpp.

#include "PlatformFiles.h"

namespace platform {

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.release();
    }
    return *this;
}

OpenFile::Handle OpenFile::release() {
    const Handle handle = handle_;
    handle_ = kClosed;
    return handle;
}

} // namespace platform
