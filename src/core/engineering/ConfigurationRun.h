#pragma once
// One run of the configuration program, with or without a window: everything
// the run knows, and the two things it does to the installation.
//
// main() builds it from how the program was started (command line and
// location) and the reporter a window would use; the program state then
// decides the start mode and the reporter once (ProgramState.h). The run owns
// the program-wide variables of every part: the run's (program), the
// preset update's (presets), the symbol list (symbols), the function lists
// (lists) and the main window's captions, tool tips and help numbers
// (controls). The window, the dialogs and the preset update are handed it.
//
//  - load(): the main window's loading without the window ("Form_Load"):
//    finds the installation's files once for the run, ends the run before
//    anything is written when the .cfg is missing or a function file cannot
//    be read (FunctionFiles.h), applies the language file (LanguageTexts.h),
//    reads the machine list, then ("SetupUserInterFace") the function files
//    and the symbol list, and reports every button picture that is missing;
//    last it reads the preset update's settings.
//  - commit(update): the work of the closing sequence ("CloseMe"): the preset
//    update and the function files (WriteInputs) staged, then every staged
//    file replaced as one change and reported (RunChanges.h).
//
// A silent run is load() and commit(). A run with a window loads, shows the
// functions, lets the engineer edit `lists` and commits on OK
// (MainWindowLogic.h).

#include "DatabaseUpdate.h"
#include "FunctionLists.h"
#include "RunChanges.h"
#include "SymbolList.h"

#include "installation/InstallationFiles.h"
#include "presetdb/PresetSettings.h"
#include "presetdb/PresetState.h"
#include "run/ProgramState.h"
#include "texts/ControlTable.h"
#include "texts/ProgramMessages.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace engineering {

class ConfigurationRun {
public:
    // interactive: the window's reporter (not owned), null without a window.
    ConfigurationRun(run::ProgramStart start, run::Reporter* interactive);
    ConfigurationRun(const ConfigurationRun&) = delete;
    ConfigurationRun& operator=(const ConfigurationRun&) = delete;

    void load();
    void commit(DatabaseUpdate& update);
    // Replaces what loading staged (the language file's new keys), for a run
    // that ends without its closing sequence (a confirmed cancel).
    void commitLoaded();

    run::ProgramState program;
    // The program's own messages in the language file's language, read once
    // when the run is built.
    texts::ProgramMessages messages;
    // The run's transaction and change report; after program, which it hooks into.
    RunChanges changes{program};
    // The buttons as loaded, to tell which ones the run changed.
    ButtonArray loadedButtons{};
    // Found and read by load().
    installation::InstallationFiles files;
    presetdb::PresetSettings presetSettings;
    presetdb::PresetState presets;
    Symbols symbols;
    FunctionLists lists;
    texts::ControlTable controls;

private:
    void readFunctions();
    void reportMissingPictures();
};

} // namespace engineering
