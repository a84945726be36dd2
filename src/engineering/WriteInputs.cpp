#include "FunctionFiles.h"

#include "PlainMessage.h"
#include "RuntimeConfiguration.h"
#include "StoredFunctionFile.h"

#include "framework/EditInfo.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramState.h"

namespace engineering {
namespace {

[[noreturn]] void fileAccessFailure() {
    throw framework::Failure(framework::ErrPathFileAccess, "Path/File access error");
}

// The new .cfg content with the edit-info stamp in section "Info".
framework::IniDocument stampedConfiguration(std::string_view oldBytes, const FunctionLists& lists) {
    auto document =
        framework::IniDocument::parse(rebuildRuntimeConfiguration(oldBytes, lists.ButtonFunctions));
    document.set("Info", "S_Prog",
                 framework::programStamp(framework::programState().StartModeIntegrated));
    document.set("Info", "S_Editor", framework::editorMark(framework::firstEnvironmentEntry()));
    return document;
}

} // namespace

void WriteInputs(const FunctionLists& lists, framework::Procedure& procedure) {
    std::string cfgPath;
    std::string storedPath;
    std::string backupPath;
    procedure.step([&] {
        cfgPath = framework::GetCFGPath();
        storedPath = replaceExtension(cfgPath, ".int");
        backupPath = replaceExtension(cfgPath, ".bak");
    });
    procedure.step([&] { requireReadableFunctionFiles(cfgPath, procedure); });

    procedure.step([&] {
        framework::IniDocument stored = framework::loadIniDocument(storedPath);
        const StoredFunctionsWritten written =
            writeStoredFunctions(stored, lists.ButtonFunctions, lists.StoredCount);
        for (const int button : written.buttonsWithoutSymbol)
            showPlainMessage("Key " + std::to_string(button) + " no symbol name");
        if (!framework::storeIniDocument(storedPath, stored))
            fileAccessFailure();
    });

    std::optional<std::string> oldConfiguration;
    procedure.step([&] {
        oldConfiguration = framework::readFileBytes(cfgPath);
        if (!oldConfiguration)
            fileAccessFailure();
        if (!framework::writeFileAtomically(backupPath, *oldConfiguration))
            fileAccessFailure();
    });
    procedure.step([&] {
        if (!oldConfiguration)
            return;
        if (!framework::storeIniDocument(cfgPath, stampedConfiguration(*oldConfiguration, lists)))
            fileAccessFailure();
    });
    procedure.step([&] { framework::removeFile(backupPath); });
}

void WriteInputs(const FunctionLists& lists) {
    framework::Procedure procedure("WriteInputs");
    WriteInputs(lists, procedure);
}

} // namespace engineering
