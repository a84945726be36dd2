#pragma once
// One run of the configuration program, with or without a window: everything
// the run knows, and the two things it does to the installation.
//
// main() builds it from how the program was started (command line and
// location) and the reporter a window would use; the program state then
// decides the start mode and the reporter once (ProgramState.h). The run owns
// the program-wide variables of every part: the framework's (program), the
// preset update's (presets), the symbol list (symbols), the function lists
// (lists) and the main window's captions, tool tips and help numbers
// (controls). The window, the dialogs and the preset update are handed it.
//
//  - load(): the main window's loading without the window ("Form_Load"):
//    ends the run before anything is written when a function file cannot be
//    read (FunctionFiles.h), applies the language file (LanguageTexts.h),
//    reads the machine list, then ("SetupUserInterFace") the function files
//    and the symbol list, and reports every button picture that is missing.
//  - commit(update): the work of the closing sequence ("CloseMe"): the old
//    versions of the files it replaces kept (RunChanges.h), the preset
//    update, then the function files (WriteInputs), then the change report.
//
// A silent run is load() and commit(). A run with a window loads, shows the
// functions, lets the engineer edit `lists` and commits on OK
// (MainWindowLogic.h).

#include "DatabaseUpdate.h"
#include "FunctionLists.h"
#include "RunChanges.h"
#include "SymbolList.h"

#include "framework/ProgramState.h"
#include "presetdb/PresetState.h"
#include "texts/ControlTable.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace engineering {

class ConfigurationRun {
public:
    // interactive: the window's reporter (not owned), null without a window.
    ConfigurationRun(framework::ProgramStart start, framework::Reporter* interactive);
    ConfigurationRun(const ConfigurationRun&) = delete;
    ConfigurationRun& operator=(const ConfigurationRun&) = delete;

    void load();
    void commit(DatabaseUpdate& update);

    framework::ProgramState program;
    // Backups and change report of the run; after program, which it hooks into.
    RunChanges changes{program};
    // The text files the run may replace (path, bytes; none when missing), as
    // they were before it wrote any: what the change report compares with.
    std::vector<std::pair<std::string, std::optional<std::string>>> textFilesAtStart;
    presetdb::PresetState presets;
    Symbols symbols;
    FunctionLists lists;
    dialogs::ControlTable controls;

private:
    void keepTextFilesAtStart();
    std::vector<ReplacedFile> replacedFiles(const std::vector<FileChange>& changed) const;
    void readFunctions();
    void reportMissingPictures();
};

} // namespace engineering
