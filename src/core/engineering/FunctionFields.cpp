#include "FunctionFields.h"

#include "run/ErrorProtocol.h"

#include <algorithm>

namespace engineering {

const FunctionField& functionField(std::string_view key) {
    const auto found = std::find_if(kFunctionFields.begin(), kFunctionFields.end(),
                                    [&](const FunctionField& field) { return field.key == key; });
    if (found == kFunctionFields.end())
        throw run::Failure(run::ErrInvalidProcedureCall, "No function field " + std::string(key));
    return *found;
}

run::IniValue fieldValue(const EngineeringFunction& function, const FunctionField& field) {
    return std::visit([&](auto member) { return run::IniValue(function.*member); }, field.member);
}

std::string writableText(std::string_view section, std::string_view key,
                         const run::IniValue& value) {
    std::string text = run::iniText(value);
    if (const auto refusal = ini::IniDocument::refusal(section, key, text))
        throw run::Failure(run::ErrInvalidProcedureCall, *refusal);
    return text;
}

} // namespace engineering
