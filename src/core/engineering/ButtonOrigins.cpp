#include "ButtonOrigins.h"

#include "SymbolNames.h"

#include <algorithm>

namespace engineering {
namespace {

const EngineeringFunction* lastWithKey(const FunctionList& list, int count, int button) {
    const EngineeringFunction* found = nullptr;
    for (int i = 0; i < count; ++i)
        if (list[std::size_t(i)].PSpecialKey == button)
            found = &list[std::size_t(i)];
    return found;
}

const EngineeringFunction* firstWithKey(const FunctionList& list, int count, int button) {
    const auto end = list.begin() + count;
    const auto found = std::find_if(
        list.begin(), end, [&](const EngineeringFunction& f) { return f.PSpecialKey == button; });
    return found == end ? nullptr : &*found;
}

} // namespace

std::string_view originName(FunctionOrigin origin) {
    switch (origin) {
    case FunctionOrigin::Catalogue:
        return "catalogue";
    case FunctionOrigin::Machine:
        return "machine";
    case FunctionOrigin::Stored:
        return "stored";
    case FunctionOrigin::None:
        break;
    }
    return "-";
}

FunctionOrigin buttonOrigin(const FunctionLists& lists, int button) {
    if (lastWithKey(lists.StoredFunctions, lists.StoredCount, button))
        return FunctionOrigin::Stored;
    if (lastWithKey(lists.StandardFunctions, lists.StandardCount, button))
        return FunctionOrigin::Catalogue;
    if (firstWithKey(lists.MachineFunctions, lists.MachineCount, button))
        return FunctionOrigin::Machine;
    return FunctionOrigin::None;
}

std::optional<EngineeringFunction> catalogueFunction(const FunctionLists& lists, int button) {
    const EngineeringFunction* found =
        lastWithKey(lists.StandardFunctions, lists.StandardCount, button);
    if (!found)
        found = firstWithKey(lists.MachineFunctions, lists.MachineCount, button);
    if (!found)
        return std::nullopt;
    EngineeringFunction function = *found;
    function.PSymbolName = memorySymbolName(function.PSymbolName);
    return function;
}

bool sameAsCatalogue(const FunctionLists& lists, int button) {
    const auto catalogue = catalogueFunction(lists, button);
    if (!catalogue)
        return false;
    EngineeringFunction shown = lists.button(button);
    shown.PWhereICome = catalogue->PWhereICome;
    shown.PStandard = catalogue->PStandard;
    return shown == *catalogue;
}

} // namespace engineering
