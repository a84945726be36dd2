#include "ConfigurationRun.h"

#include "ButtonPictures.h"
#include "FunctionFiles.h"
#include "MainWindowControls.h"
#include "PlainMessage.h"
#include "ReadInputs.h"
#include "WriteInputs.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/ProgramLocation.h"
#include "texts/LanguageTexts.h"

#include <algorithm>

namespace engineering {

ConfigurationRun::ConfigurationRun(framework::ProgramStart start, framework::Reporter* interactive)
    : program(std::move(start), interactive), controls(mainWindowControls()) {}

void ConfigurationRun::load() {
    framework::Procedure procedure(program, "Form_Load");
    // A function file that exists but cannot be read ends the run before
    // anything is written, the language file's missing keys included.
    procedure.step(
        [&] { requireReadableFunctionFiles(framework::GetCFGPath(program), procedure); });
    procedure.step([&] { keepTextFilesAtStart(); });
    procedure.step([&] { dialogs::LoadToolTipTexts(program, controls); });
    std::string configIniPath;
    procedure.step([&] { configIniPath = framework::GetQ4MConfigurationIniPath(program); });
    procedure.step([&] { framework::GetExistingMachines(program, configIniPath); });
    procedure.step([&] { readFunctions(); });
}

void ConfigurationRun::keepTextFilesAtStart() {
    const std::string cfg = framework::GetCFGPath(program);
    for (const std::string& path :
         {cfg, replaceExtension(cfg, ".int"), dialogs::languageFilePath(program)})
        textFilesAtStart.emplace_back(path, framework::readFileBytes(path));
}

std::vector<ReplacedFile>
ConfigurationRun::replacedFiles(const std::vector<FileChange>& changed) const {
    std::vector<ReplacedFile> files;
    for (const FileChange& file : changed) {
        const auto kept =
            std::find_if(textFilesAtStart.begin(), textFilesAtStart.end(), [&](const auto& start) {
                return framework::nativePath(start.first).filename() ==
                       framework::pathFromUtf8(file.name);
            });
        // A file not kept here (the database) is named only.
        if (kept == textFilesAtStart.end())
            files.push_back({file.name, std::nullopt, std::nullopt});
        else
            files.push_back({file.name, kept->second, framework::readFileBytes(kept->first)});
    }
    return files;
}

void ConfigurationRun::readFunctions() {
    framework::Procedure procedure(program, "SetupUserInterFace");
    procedure.step([&] { ReadInputs(lists, symbols, procedure); });
    procedure.step([&] { reportMissingPictures(); });
}

void ConfigurationRun::reportMissingPictures() {
    const std::string folder = framework::installationFolder(program);
    for (const EngineeringFunction& function : lists.ButtonFunctions)
        if (!function.PSymbolName.empty() &&
            !framework::fileExists(buttonPicturePath(folder, function)))
            showPlainMessage(program, missingPictureMessage(function));
}

void ConfigurationRun::commit(DatabaseUpdate& update) {
    framework::Procedure procedure(program, "CloseMe");
    procedure.step([&] { changes.keepBeforeClosing(); });
    procedure.step([&] { update.run(); });
    procedure.step([&] { WriteInputs(program, lists); });
    procedure.step([&] {
        const std::vector<FileChange> files = changes.settle(&presets.report);
        changes.report(changeReportBody(presets.report, replacedFiles(files)));
    });
}

} // namespace engineering
