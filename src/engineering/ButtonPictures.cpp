#include "ButtonPictures.h"

#include "PlainMessage.h"

#include "framework/FileSystem.h"
#include "framework/ProgramLocation.h"

namespace engineering {

std::string buttonPicturePath(const EngineeringFunction& function) {
    if (function.PSymbolName.empty())
        return {};
    return framework::installationFolder() + std::string(framework::kSeparator) +
           function.PSymbolName;
}

std::string buttonPicturePath(const FunctionLists& lists, int n) {
    return buttonPicturePath(lists.button(n));
}

ButtonPicture readButtonPicture(const EngineeringFunction& function) {
    ButtonPicture picture;
    picture.path = buttonPicturePath(function);
    if (picture.path.empty())
        return picture;
    std::optional<std::string> bytes;
    if (framework::fileExists(picture.path))
        bytes = framework::readFileBytes(picture.path);
    if (!bytes) {
        picture.state = ButtonPicture::State::Missing;
        showPlainMessage(function.PSymbolName + " not found");
        return picture;
    }
    picture.state = ButtonPicture::State::Loaded;
    picture.bytes = std::move(*bytes);
    return picture;
}

bool buttonEnabled(const EngineeringFunction& function, bool allEnabled) {
    return allEnabled || function.PEnabled;
}

} // namespace engineering
