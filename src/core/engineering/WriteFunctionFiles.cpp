#include "WriteFunctionFiles.h"

#include "FunctionFiles.h"
#include "PlainMessage.h"
#include "RuntimeConfiguration.h"
#include "StoredFunctionFile.h"

#include "engineering/EditInfo.h"
#include "ini/ProfileFiles.h"
#include "installation/RunFiles.h"
#include "platform/FileSystem.h"
#include "run/ProgramState.h"

namespace engineering {
namespace {

[[noreturn]] void fileAccessFailure() {
    throw run::Failure(run::ErrPathFileAccess, "Path/File access error");
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
ini::IniDocument stampedConfiguration(run::ProgramState& program, std::string_view oldBytes,
                                      const FunctionLists& lists) {
    return rebuildRuntimeConfiguration(
        oldBytes, asReadBack(lists.ButtonFunctions),
        [&program](ini::IniDocument& other) { engineering::WriteEditInfo(program, other); });
}

} // namespace

void WriteInputs(run::ProgramState& program, const installation::InstallationFiles& files,
                 const FunctionLists& lists) {
    run::Procedure procedure(program, "WriteInputs");
    const std::string& cfgPath = files.runtimeConfiguration;
    const std::string& storedPath = files.storedFunctions;
    installation::requireRuntimeConfiguration(program, cfgPath);
    procedure.step([&] { requireReadableFunctionFiles(files, procedure); });

    procedure.step([&] {
        // As the run's INI cache holds it (read again only if it changed).
        const ini::IniDocument* cached = program.profiles.document(storedPath);
        ini::IniDocument stored = cached ? *cached : ini::IniDocument{};
        const StoredFunctionsWritten written =
            writeStoredFunctions(stored, lists.ButtonFunctions, lists.StoredCount);
        for (const int button : written.buttonsWithoutSymbol)
            showPlainMessage(program, "Key " + std::to_string(button) + " no symbol name");
        if (!installation::storeRunIniDocument(program, storedPath, stored))
            fileAccessFailure();
    });

    // The .cfg is rebuilt from its old bytes in memory; no copy of it is
    // kept on disk (the run's journal keeps the old version).
    procedure.step([&] {
        const auto oldConfiguration = platform::readFileBytes(cfgPath);
        if (!oldConfiguration)
            fileAccessFailure();
        if (!installation::storeRunIniDocument(
                program, cfgPath, stampedConfiguration(program, *oldConfiguration, lists)))
            fileAccessFailure();
    });
}

} // namespace engineering
