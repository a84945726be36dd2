#include "ReadFunctionFiles.h"

#include "FunctionFiles.h"
#include "FunctionSection.h"
#include "SymbolList.h"
#include "SymbolNames.h"

#include "installation/MachineList.h"
#include "run/ProgramState.h"

#include <algorithm>

namespace engineering {
namespace {

using run::Failure;

[[noreturn]] void subscriptOutOfRange() {
    throw Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
}

// Fills one list from the sections prefix + 1, prefix + 2, ... of the file.
void readFamily(run::ProgramState& program, std::string_view file, const std::string& prefix,
                bool standard, FunctionList& list, std::int16_t& count) {
    count = 0;
    for (int n = 1;; ++n) {
        auto function = readFunctionSection(program, prefix + std::to_string(n), file, standard);
        if (!function)
            return;
        if (count == kFunctionListCapacity)
            subscriptOutOfRange();
        list[std::size_t(count++)] = std::move(*function);
    }
}

// The merge of step 2. Returns the merged entries; `overflow` tells whether
// entries past the hundredth were left out.
struct MergedFunctions {
    FunctionList entries{};
    std::int16_t count = 0;
    bool overflow = false;
};

MergedFunctions mergeFunctions(const FunctionLists& lists, bool withStoredFile) {
    MergedFunctions merged;
    auto append = [&](const EngineeringFunction& function) {
        if (merged.count == kFunctionListCapacity) {
            merged.overflow = true;
            return;
        }
        merged.entries[std::size_t(merged.count++)] = function;
    };
    auto first = [&] { return merged.entries.begin(); };
    auto last = [&] { return merged.entries.begin() + merged.count; };

    for (int i = 0; i < lists.StandardCount; ++i)
        append(lists.StandardFunctions[std::size_t(i)]);

    for (int i = 0; i < lists.MachineCount; ++i) {
        const EngineeringFunction& machine = lists.MachineFunctions[std::size_t(i)];
        const bool taken = std::any_of(first(), last(), [&](const EngineeringFunction& entry) {
            return entry.PSpecialKey == machine.PSpecialKey;
        });
        if (!taken)
            append(machine);
    }

    if (!withStoredFile)
        return merged;
    for (int i = 0; i < lists.StoredCount; ++i) {
        const EngineeringFunction& stored = lists.StoredFunctions[std::size_t(i)];
        bool replaced = false;
        for (auto entry = first(); entry != last(); ++entry) {
            if (entry->PSpecialKey == stored.PSpecialKey) {
                *entry = stored;
                replaced = true;
            }
        }
        if (!replaced)
            append(stored);
    }
    return merged;
}

} // namespace

void ReadInputs(const installation::InstallationFiles& files, FunctionLists& lists,
                Symbols& symbols, run::Procedure& procedure) {
    run::ProgramState& program = procedure.program();
    lists = FunctionLists{};
    const std::string& catalogue = files.catalogue;
    procedure.step([&] { requireReadableFunctionFiles(files, procedure); });

    procedure.step([&] {
        readFamily(program, catalogue, "All_Function_", true, lists.StandardFunctions,
                   lists.StandardCount);
    });
    procedure.step([&] {
        const std::string& machine = installation::existingMachine(program, 1);
        readFamily(program, catalogue, machine + "_Function_", false, lists.MachineFunctions,
                   lists.MachineCount);
    });

    const std::string& storedFile = files.storedFunctionsToRead;
    procedure.step([&] {
        if (!storedFile.empty())
            readFamily(program, storedFile, "Function", true, lists.StoredFunctions,
                       lists.StoredCount);
    });

    MergedFunctions merged;
    procedure.step([&] {
        merged = mergeFunctions(lists, !storedFile.empty());
        if (merged.overflow)
            subscriptOutOfRange();
    });

    for (int j = 0; j < merged.count; ++j) {
        procedure.step([&] {
            EngineeringFunction entry = merged.entries[std::size_t(j)];
            entry.PSymbolName = memorySymbolName(entry.PSymbolName);
            lists.button(entry.PSpecialKey) = std::move(entry);
        });
    }

    procedure.step([&] {
        if (fillSymbolList(symbols, files.componentFolder) > 0)
            subscriptOutOfRange();
    });
}

} // namespace engineering
