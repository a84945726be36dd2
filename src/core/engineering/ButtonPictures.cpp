#include "ButtonPictures.h"

#include "run/ProgramLocation.h"

namespace engineering {

std::string buttonPicturePath(std::string_view installationFolder,
                              const EngineeringFunction& function) {
    if (function.PSymbolName.empty())
        return {};
    return std::string(installationFolder) + std::string(run::kSeparator) + function.PSymbolName;
}

std::string missingPictureMessage(const EngineeringFunction& function) {
    return function.PSymbolName + " not found";
}

std::string damagedPictureMessage(const EngineeringFunction& function) {
    return function.PSymbolName + " cannot be shown: the picture is damaged";
}

bool buttonEnabled(const EngineeringFunction& function, bool allEnabled) {
    return allEnabled || function.PEnabled;
}

} // namespace engineering
