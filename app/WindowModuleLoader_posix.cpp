#include "WindowModuleLoader.h"

#include <dlfcn.h>

MakeWindowModule loadWindowModule(const std::string& executableFolder,
                                  const std::string& executableBaseName, std::string& problem) {
    const std::string path = executableFolder + "/" + executableBaseName + "_window.so";
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        problem = ::dlerror();
        return nullptr;
    }
    auto* entry = reinterpret_cast<MakeWindowModule>(::dlsym(module, kWindowModuleEntry));
    if (entry == nullptr)
        problem = path + " is no window module of this program";
    return entry;
}
