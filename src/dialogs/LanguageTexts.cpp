#include "LanguageTexts.h"

#include "framework/ErrorProtocol.h"
#include "framework/IniAccess.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

namespace dialogs {
namespace {

using framework::LoadIniString;
using framework::SaveIni;

bool hasText(const std::string& value) {
    return !value.empty() && value != "0";
}

bool hasCaption(const ControlEntry& control) {
    const std::string kind = framework::upperCase(control.kind);
    return kind == "LABEL" || kind == "COMMANDBUTTON" || kind == "CHECKBOX";
}

void save(const std::string& value, const std::string& section, const std::string& key,
          const std::string& file) {
    SaveIni(value, section, key, file);
}

void applyTexts(ControlEntry& control, const std::string& key, const std::string& language,
                const std::string& file) {
    if (hasCaption(control)) {
        const std::string captionKey = "Caption_" + key;
        const std::string caption = LoadIniString(language, captionKey, file);
        if (hasText(caption))
            control.caption = caption;
        else if (language != kDefaultLanguage)
            save("0", language, captionKey, file);
        else
            save(control.caption, kDefaultLanguage, captionKey, file);

        if (control.helpId != 0) {
            const std::string helpKey = "Help" + std::to_string(control.helpId);
            const std::string help = LoadIniString(language, helpKey, file);
            framework::programState().HelpTexts.at(std::size_t(control.helpId - 1)) = help;
            if (!hasText(help))
                save("0", language, helpKey, file);
        }
    }

    if (framework::findIgnoreCase(control.tag, "NOTTT") == std::string_view::npos) {
        const std::string toolTipKey = "TTT_" + key;
        const std::string toolTip = LoadIniString(language, toolTipKey, file);
        if (hasText(toolTip))
            control.toolTip = toolTip;
        else
            save("0", language, toolTipKey, file);
    }
}

} // namespace

std::string languageFilePath() {
    return framework::executableFolder() + std::string(framework::kSeparator) +
           framework::executableBaseName() + ".ini";
}

std::string GetLanguage() {
    framework::Procedure procedure("GetLanguage");
    std::string language;
    procedure.step([&] {
        const std::string file = languageFilePath();
        language = LoadIniString("Language", "Language", file);
        if (language.empty()) {
            language = kDefaultLanguage;
            save(language, "Language", "Language", file);
        }
    });
    return language;
}

void LoadToolTipTexts(ControlTable& controls) {
    const std::string language = GetLanguage();
    const std::string file = languageFilePath();
    const std::size_t count = controls.size();
    for (std::size_t i = 0; i < count; ++i) {
        framework::Procedure perControl("LoadToolTipTexts",
                                        framework::Procedure::OnFailure::SkipSilently);
        perControl.step([&] { applyTexts(controls[i], textKey(controls, i), language, file); });
    }
}

} // namespace dialogs
