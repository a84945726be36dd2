#include "FunctionLists.h"

#include "run/ErrorProtocol.h"

namespace engineering {
namespace {

void checkButtonNumber(int n) {
    if (n < 1 || n > kButtonCount)
        throw run::Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
}

} // namespace

EngineeringFunction& FunctionLists::button(int n) {
    checkButtonNumber(n);
    return ButtonFunctions[std::size_t(n - 1)];
}

const EngineeringFunction& FunctionLists::button(int n) const {
    checkButtonNumber(n);
    return ButtonFunctions[std::size_t(n - 1)];
}

std::string editedDescription(int buttonNumber) {
    return "Engineering." + std::to_string(buttonNumber);
}

void storeEditedFunction(FunctionLists& lists, int buttonNumber,
                         const EngineeringFunction& edited) {
    EngineeringFunction& target = lists.button(buttonNumber);
    const bool standard = target.PStandard;
    target = edited;
    target.PSpecialKey = std::int16_t(buttonNumber);
    target.PWhereICome = kWhereIComeEngineeringPicture;
    target.PDescription = editedDescription(buttonNumber);
    target.PStandard = standard;
}

} // namespace engineering
