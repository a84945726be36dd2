#include "FunctionFields.h"

#include "framework/ErrorProtocol.h"

#include <algorithm>

namespace engineering {

const FunctionField& functionField(std::string_view key) {
    const auto found = std::find_if(kFunctionFields.begin(), kFunctionFields.end(),
                                    [&](const FunctionField& field) { return field.key == key; });
    if (found == kFunctionFields.end())
        throw framework::Failure(framework::ErrInvalidProcedureCall,
                                 "No function field " + std::string(key));
    return *found;
}

framework::IniValue fieldValue(const EngineeringFunction& function, const FunctionField& field) {
    return std::visit([&](auto member) { return framework::IniValue(function.*member); },
                      field.member);
}

std::string writableText(std::string_view section, std::string_view key,
                         const framework::IniValue& value) {
    std::string text = framework::iniText(value);
    if (const auto refusal = framework::IniDocument::refusal(section, key, text))
        throw framework::Failure(framework::ErrInvalidProcedureCall, *refusal);
    return text;
}

} // namespace engineering
