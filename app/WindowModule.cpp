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

using Entry = int (*)(int, char**);

} // namespace

int runWindowModule(int argc, char** argv) {
    const std::string path = framework::executableFolder() + std::string(framework::kSeparator) +
                             framework::executableBaseName() + kModuleSuffix;
#ifdef _WIN32
    HMODULE module = LoadLibraryA(path.c_str());
    Entry entry =
        module ? reinterpret_cast<Entry>(GetProcAddress(module, "runEngineeringWindow")) : nullptr;
    const std::string reason = "error " + std::to_string(GetLastError());
#else
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const char* error = module ? nullptr : dlerror();
    Entry entry = module ? reinterpret_cast<Entry>(dlsym(module, "runEngineeringWindow")) : nullptr;
    const std::string reason = error ? error : "no entry point";
#endif
    if (entry == nullptr) {
        std::cerr << "Engineering_Config: cannot load the window module " << path << " (" << reason
                  << ").\nKeep it beside the program; /EXTERNAL SILENT runs without it.\n";
        return 1;
    }
    return entry(argc, argv);
}
