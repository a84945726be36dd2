#include "ConfigurationRun.h"

#include "ButtonPictures.h"
#include "FunctionFiles.h"
#include "MainWindowControls.h"
#include "PlainMessage.h"
#include "ReadFunctionFiles.h"
#include "WriteFunctionFiles.h"

#include "ini/ProfileFiles.h"
#include "installation/MachineList.h"
#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"
#include "run/ProgramLocation.h"
#include "texts/LanguageTexts.h"

namespace engineering {

ConfigurationRun::ConfigurationRun(run::ProgramStart start, run::Reporter* interactive)
    : program(std::move(start), interactive),
      messages(texts::readProgramMessages(program.executableFolder, program.executableBaseName,
                                          program.profiles)),
      controls(mainWindowControls()) {}

void ConfigurationRun::load() {
    run::Procedure procedure(program, "Form_Load");
    // The installation is locked, and the run writes its INI files through
    // the cache: a file read once stays as it was.
    ini::ProfileCache::Steady steadyFiles(program.profiles);
    // A function file that exists but cannot be read ends the run before
    // anything is written, the language file's missing keys included.
    procedure.step([&] {
        files = installation::findInstallationFiles(program);
        requireReadableFunctionFiles(files, procedure);
    });
    procedure.step([&] { texts::LoadToolTipTexts(program, controls); });
    procedure.step([&] { installation::GetExistingMachines(program, files); });
    procedure.step([&] { readFunctions(); });
    loadedButtons = lists.ButtonFunctions;
    procedure.step([&] {
        presetSettings = presetdb::readPresetSettings(program, files);
        presetSettings.accessSourceText = messages.text(texts::Message::AccessSource);
    });
}

void ConfigurationRun::readFunctions() {
    run::Procedure procedure(program, "SetupUserInterFace");
    procedure.step([&] { ReadInputs(files, lists, symbols, procedure); });
    procedure.step([&] { reportMissingPictures(); });
}

void ConfigurationRun::reportMissingPictures() {
    const std::string folder = run::installationFolder(program);
    for (const EngineeringFunction& function : lists.ButtonFunctions)
        if (!function.PSymbolName.empty() &&
            !platform::fileExists(buttonPicturePath(folder, function)))
            showPlainMessage(program, missingPictureMessage(function));
}

void ConfigurationRun::commit(DatabaseUpdate& update) {
    run::Procedure procedure(program, "CloseMe");
    procedure.step([&] { update.run(); });
    procedure.step([&] { WriteInputs(program, files, lists); });
    // Only now is anything replaced: every staged file together.
    changes.commit(loadedButtons, lists.ButtonFunctions, &presets.report);
}

void ConfigurationRun::commitLoaded() {
    changes.commit(loadedButtons, loadedButtons, nullptr);
}

} // namespace engineering
