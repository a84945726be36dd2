#include "WindowModule.h"

#include "framework/ProgramLocation.h"

#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#ifdef _WIN32
constexpr const char* kModuleSuffix = "_window.dll";
#else
constexpr const char* kModuleSuffix = "_window.so";
#endif

// An entry of the module, or null with the reason in "reason". The module
// stays loaded until the process ends.
template <class Entry> Entry loadEntry(const char* name, std::string& reason) {
    const std::string path = framework::executableFolder() + std::string(framework::kSeparator) +
                             framework::executableBaseName() + kModuleSuffix;
#ifdef _WIN32
    HMODULE module = LoadLibraryA(path.c_str());
    Entry entry = module ? reinterpret_cast<Entry>(GetProcAddress(module, name)) : nullptr;
    if (entry == nullptr)
        reason = path + " (error " + std::to_string(GetLastError()) + ")";
#else
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* error = module ? nullptr : dlerror();
    Entry entry = module ? reinterpret_cast<Entry>(dlsym(module, name)) : nullptr;
    if (entry == nullptr)
        reason = path + " (" + (error ? error : "no entry point") + ")";
#endif
    return entry;
}

} // namespace

int runWindowModule(int argc, char** argv) {
    std::string reason;
    const auto entry = loadEntry<decltype(&runEngineeringWindow)>("runEngineeringWindow", reason);
    if (entry == nullptr) {
        std::cerr << "Engineering_Config: cannot load the window module " << reason
                  << ".\nKeep it beside the program; /EXTERNAL SILENT runs without it.\n";
        return 1;
    }
    return entry(argc, argv);
}

void reportFaultInWindow(int argc, char** argv, const char* message) {
    std::string reason;
    const auto entry =
        loadEntry<decltype(&reportEngineeringFault)>("reportEngineeringFault", reason);
    if (entry != nullptr)
        entry(argc, argv, message);
}
