#include "WriteInputs.h"

#include "FunctionFiles.h"
#include "PlainMessage.h"
#include "RuntimeConfiguration.h"
#include "StoredFunctionFile.h"

#include "framework/EditInfo.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramState.h"
#include "framework/RunFiles.h"

namespace engineering {
namespace {

[[noreturn]] void fileAccessFailure() {
    throw framework::Failure(framework::ErrPathFileAccess, "Path/File access error");
}

// The functions as the next run reads them back: a button with a program comes
// from the stored file then, marked "EngineeringPicture". Rebuilding the .cfg
// from these makes a second run on unchanged inputs write the same bytes.
std::array<EngineeringFunction, kButtonCount>
asReadBack(const std::array<EngineeringFunction, kButtonCount>& buttons) {
    auto readBack = buttons;
    for (EngineeringFunction& function : readBack)
        if (!function.PExeFunction.empty())
            function.PWhereICome = kWhereIComeEngineeringPicture;
    return readBack;
}

// The new .cfg. The stamp goes into the other content, so that an added
// [Info] stands before the function sections, where the next run's rebuild
// keeps it.
framework::IniDocument stampedConfiguration(framework::ProgramState& program,
                                            std::string_view oldBytes, const FunctionLists& lists) {
    return rebuildRuntimeConfiguration(
        oldBytes, asReadBack(lists.ButtonFunctions),
        [&program](framework::IniDocument& other) { framework::WriteEditInfo(program, other); });
}

} // namespace

void WriteInputs(framework::ProgramState& program, const FunctionLists& lists) {
    framework::Procedure procedure(program, "WriteInputs");
    std::string cfgPath;
    std::string storedPath;
    procedure.step([&] {
        cfgPath = framework::GetCFGPath(program);
        storedPath = replaceExtension(cfgPath, ".int");
    });
    procedure.step([&] { requireReadableFunctionFiles(cfgPath, procedure); });

    procedure.step([&] {
        framework::IniDocument stored = framework::loadIniDocument(storedPath);
        const StoredFunctionsWritten written =
            writeStoredFunctions(stored, lists.ButtonFunctions, lists.StoredCount);
        for (const int button : written.buttonsWithoutSymbol)
            showPlainMessage(program, "Key " + std::to_string(button) + " no symbol name");
        if (!framework::storeRunIniDocument(program, storedPath, stored))
            fileAccessFailure();
    });

    // The .cfg is rebuilt from its old bytes in memory; no copy of it is
    // kept on disk (the run's journal keeps the old version).
    procedure.step([&] {
        const auto oldConfiguration = framework::readFileBytes(cfgPath);
        if (!oldConfiguration)
            fileAccessFailure();
        if (!framework::storeRunIniDocument(
                program, cfgPath, stampedConfiguration(program, *oldConfiguration, lists)))
            fileAccessFailure();
    });
}

} // namespace engineering
