#include "WindowModuleLoader.h"

#include "platform/FileSystem.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

MakeWindowModule loadWindowModule(const std::string& executableFolder,
                                  const std::string& executableBaseName, std::string& problem) {
    const std::string path = executableFolder + "\\" + executableBaseName + "_window.dll";
    HMODULE module = LoadLibraryW(platform::pathFromUtf8(path).c_str());
    if (module == nullptr) {
        problem = "cannot load " + path + " (Windows error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    auto* entry = reinterpret_cast<MakeWindowModule>(
        reinterpret_cast<void*>(GetProcAddress(module, kWindowModuleEntry)));
    if (entry == nullptr)
        problem = path + " is no window module of this program";
    return entry;
}
