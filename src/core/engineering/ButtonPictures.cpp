#include "ButtonPictures.h"

#include "framework/ProgramLocation.h"

namespace engineering {

std::string buttonPicturePath(const EngineeringFunction& function) {
    if (function.PSymbolName.empty())
        return {};
    return framework::installationFolder() + std::string(framework::kSeparator) +
           function.PSymbolName;
}

bool buttonEnabled(const EngineeringFunction& function, bool allEnabled) {
    return allEnabled || function.PEnabled;
}

} // namespace engineering
