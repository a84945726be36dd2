#include "FunctionSection.h"

#include "FunctionFields.h"

#include "run/IniAccess.h"

namespace engineering {
namespace {

EngineeringFunction withMendedValues(EngineeringFunction function) {
    if (function.PPosMode < 0)
        function.PPosMode = 3;
    if (function.PWaitBeforeLogin < 0)
        function.PWaitBeforeLogin = 0;
    if (function.PEndTime < 0)
        function.PEndTime = 3;
    if (function.PEndMode != 16 && function.PEndMode != 2)
        function.PEndMode = 18;
    return function;
}

struct FieldReader {
    run::ProgramState& program;
    EngineeringFunction& function;
    std::string_view section;
    std::string_view key;
    std::string_view file;

    void operator()(StringMember member) const {
        function.*member = run::LoadIniString(program, section, key, file);
    }
    void operator()(IntegerMember member) const {
        function.*member = run::LoadIniInteger(program, section, key, file);
    }
    void operator()(BooleanMember member) const {
        function.*member = run::LoadIniBoolean(program, section, key, file);
    }
};

} // namespace

std::optional<EngineeringFunction> readFunctionSection(run::ProgramState& program,
                                                       std::string_view section,
                                                       std::string_view file, bool standard) {
    constexpr std::string_view kWhereICome = "WhereICome";
    EngineeringFunction f;
    f.PWhereICome = run::LoadIniString(program, section, kWhereICome, file);
    if (f.PWhereICome.empty())
        return std::nullopt;

    for (const FunctionField& field : kFunctionFields)
        if (field.key != kWhereICome)
            std::visit(FieldReader{program, f, section, field.key, file}, field.member);

    f.PStandard = standard;
    return withMendedValues(std::move(f));
}

} // namespace engineering
