#include "ReadInputs.h"

#include "FunctionFiles.h"
#include "FunctionSection.h"
#include "SymbolList.h"
#include "SymbolNames.h"

#include "installation/InstallationPaths.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/IniAccess.h"
#include "run/ProgramLocation.h"
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

} // namespace

std::string storedFunctionFileToRead(run::ProgramState& program, std::string_view cfgPath) {
    if (!program.StartModeIntegrated)
        return replaceExtension(cfgPath, ".int");
    const std::string saveAndRestore = run::LoadIniString(
        program, "Common", "SaveAndRestore", installation::GetQ4MConfigurationIniPath(program));
    const std::string path = installation::joinFolder(
        saveAndRestore, "Engineering" + std::string(run::kSeparator) + "Engineering.int");
    return platform::probeFile(path) == platform::FileKind::Missing ? std::string() : path;
}

namespace {

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

void ReadInputs(FunctionLists& lists, Symbols& symbols, run::Procedure& procedure) {
    run::ProgramState& program = procedure.program();
    lists = FunctionLists{};
    std::string cfgPath;
    std::string catalogue;
    procedure.step([&] {
        cfgPath = installation::GetCFGPath(program);
        catalogue = replaceExtension(cfgPath, ".dat");
    });
    procedure.step([&] { requireReadableFunctionFiles(cfgPath, procedure); });

    procedure.step([&] {
        readFamily(program, catalogue, "All_Function_", true, lists.StandardFunctions,
                   lists.StandardCount);
    });
    procedure.step([&] {
        const std::string& machine = installation::existingMachine(program, 1);
        readFamily(program, catalogue, machine + "_Function_", false, lists.MachineFunctions,
                   lists.MachineCount);
    });

    std::string storedFile;
    procedure.step([&] { storedFile = storedFunctionFileToRead(program, cfgPath); });
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
        if (fillSymbolList(symbols, program.executableFolder) > 0)
            subscriptOutOfRange();
    });
}

} // namespace engineering
