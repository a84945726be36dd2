#include "LanguageTexts.h"

#include "ini/ProfileFiles.h"
#include "installation/InstallationFiles.h"
#include "installation/RunFiles.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/IniAccess.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

namespace texts {
namespace {

using ini::IniDocument;
using run::LoadIniString;
using run::SaveIni;

bool hasText(const std::string& value) {
    return !value.empty() && value != "0";
}

bool hasCaption(const ControlEntry& control) {
    const std::string kind = platform::upperCase(control.kind);
    return kind == "LABEL" || kind == "COMMANDBUTTON" || kind == "CHECKBOX";
}

void applyTexts(run::ProgramState& program, ControlEntry& control, const std::string& key,
                const std::string& language, IniDocument& texts) {
    if (hasCaption(control)) {
        const std::string captionKey = "Caption_" + key;
        const std::string caption = LoadIniString(language, captionKey, texts);
        if (hasText(caption))
            control.caption = caption;
        else if (language != kDefaultLanguage)
            SaveIni(program, std::string("0"), language, captionKey, texts);
        else
            SaveIni(program, control.caption, kDefaultLanguage, captionKey, texts);

        if (control.helpId != 0) {
            const std::string helpKey = "Help" + std::to_string(control.helpId);
            const std::string help = LoadIniString(language, helpKey, texts);
            program.HelpTexts.at(std::size_t(control.helpId - 1)) = help;
            if (!hasText(help))
                SaveIni(program, std::string("0"), language, helpKey, texts);
        }
    }

    if (platform::findIgnoreCase(control.tag, "NOTTT") == std::string_view::npos) {
        const std::string toolTipKey = "TTT_" + key;
        const std::string toolTip = LoadIniString(language, toolTipKey, texts);
        if (hasText(toolTip))
            control.toolTip = toolTip;
        else
            SaveIni(program, std::string("0"), language, toolTipKey, texts);
    }
}

// The language code of the texts; "1031" set when there is none.
std::string languageOf(run::ProgramState& program, IniDocument& texts) {
    std::string language = LoadIniString("Language", "Language", texts);
    if (language.empty()) {
        language = kDefaultLanguage;
        SaveIni(program, language, "Language", "Language", texts);
    }
    return language;
}

// The language file's texts as the run's INI cache holds them, or null
// (reported) when the file exists but cannot be read: it is then neither used
// nor written. The cache keeps them in place while nothing else asks it for
// a file, so a caller compares its edited copy with them before storing it.
const IniDocument* readableTexts(run::ProgramState& program, const std::string& file) {
    static const IniDocument kNoTexts;
    if (platform::probeFile(file) == platform::FileKind::Unreadable) {
        run::ReportFault(program, "File '" + file +
                                      "' cannot be read: the built-in texts are shown and "
                                      "the file is left as it is");
        return nullptr;
    }
    if (const IniDocument* cached = program.profiles.document(file))
        return cached;
    return &kNoTexts;
}

void store(run::ProgramState& program, const std::string& file, const IniDocument& before,
           const IniDocument& texts) {
    if (texts == before)
        return;
    if (installation::storeRunIniDocument(program, file, texts))
        return;
    run::ReportFault(program, "File '" + file + "' cannot be written");
}

} // namespace

std::string languageFilePath(const run::ProgramState& program) {
    return installation::languageFile(program.executableFolder, program.executableBaseName);
}

std::string languageFilePath(std::string_view executableFolder,
                             std::string_view executableBaseName) {
    return installation::languageFile(executableFolder, executableBaseName);
}

std::string GetLanguage(run::ProgramState& program) {
    run::Procedure procedure(program, "GetLanguage");
    std::string language = kDefaultLanguage;
    procedure.step([&] {
        const std::string file = languageFilePath(program);
        const IniDocument* before = readableTexts(program, file);
        if (!before)
            return;
        IniDocument texts = *before;
        language = languageOf(program, texts);
        store(program, file, *before, texts);
    });
    return language;
}

void LoadToolTipTexts(run::ProgramState& program, ControlTable& controls) {
    const std::string file = languageFilePath(program);
    const IniDocument* loaded = nullptr;
    std::string language = kDefaultLanguage;
    run::Procedure procedure(program, "GetLanguage");
    procedure.step([&] { loaded = readableTexts(program, file); });
    // An unreadable file reads as empty, so every control keeps its built-in
    // texts; the keys set below are then dropped.
    IniDocument texts = loaded ? *loaded : IniDocument{};
    procedure.step([&] { language = languageOf(program, texts); });

    const std::size_t count = controls.size();
    for (std::size_t i = 0; i < count; ++i) {
        run::Procedure perControl(program, "LoadToolTipTexts",
                                  run::Procedure::OnFailure::SkipSilently);
        perControl.step(
            [&] { applyTexts(program, controls[i], textKey(controls, i), language, texts); });
    }
    if (loaded)
        store(program, file, *loaded, texts);
}

} // namespace texts
