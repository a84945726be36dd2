#include "Logs.h"

#include "CommandLine.h"
#include "ErrorProtocol.h"
#include "FileSystem.h"
#include "MessageBoxes.h"
#include "ProgramLocation.h"
#include "ProgramState.h"
#include "Text.h"

namespace framework {
namespace {

void appendLine(const std::string& path, const std::string& line) {
    if (!path.empty())
        appendToFile(path, toWindows1252(line) + std::string(kCrLf));
}

MessageBoxes* boxes() {
    return programState().messageBoxes;
}

std::string replaceLineMarkers(const std::string& text) {
    constexpr std::string_view kMarker = "<CRLF>";
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const auto found = findIgnoreCase(std::string_view(text).substr(pos), kMarker);
        if (found == std::string_view::npos)
            break;
        out += text.substr(pos, found);
        out += kCrLf;
        pos += found + kMarker.size();
    }
    return out + text.substr(pos);
}

} // namespace

std::string errorLogPath() {
    if (programState().StartModeIntegrated)
        return GetPathLogfile();
    return installationFolder() + std::string(kSeparator) + "Q4Mcfglog.txt";
}

std::string faultLogPath() {
#ifdef _WIN32
    return "C:\\HalvarServicePack.log";
#else
    return installationFolder() + std::string(kSeparator) + "HalvarServicePack.log";
#endif
}

std::string LogError(const std::string& message, bool show) {
    const std::string path = errorLogPath();
    appendLine(path, message);
    const std::string text = "Error logged to " + std::string(kLfCr) + upperCase(path);
    if (!show)
        return text;
    ReportFault(text);
    return {};
}

void LogFault(const std::string& message) {
    appendLine(faultLogPath(), "! Fault " + executableBaseName() + ": " + message);
}

void ReportFault(const std::string& message) {
    if (programState().SilentMode) {
        LogFault(message);
        return;
    }
    if (boxes() != nullptr)
        boxes()->inform(executableBaseName(), message, MessageIcon::Critical);
}

bool ConfirmCancelEdits() {
    const std::string lfcr(kLfCr);
    std::string message =
        "Cancel edits?" + lfcr + "Remark:" + lfcr + "Until now no changes have been taken over ";
    const std::string component = GetOCXNameOrEmpty();
    if (programState().StartModeIntegrated) {
        message += lfcr + "\"" + component +
                   "\" has to be configured again in \"standalone-mode\" via " + lfcr + "\"" +
                   executableFolder() + std::string(kSeparator) + executableBaseName() + ".exe\"";
    }
    if (programState().SilentMode) {
        LogFault(message);
        return true;
    }
    if (boxes() == nullptr ||
        !boxes()->askYesNo("Cancel?", message, MessageIcon::Exclamation, DefaultButton::No))
        return false;
    LogError("Konfigurations-EXE wurde abgebrochen:     " + component, false);
    return true;
}

void ShowHelpText(int helpId) {
    // A failure here (a help number outside 1 to 100) is skipped without a report.
    Procedure procedure("ShowHelpText", Procedure::OnFailure::SkipSilently);
    if (!programState().HelpMode)
        return;
    std::string text;
    procedure.step([&] { text = programState().HelpTexts.at(std::size_t(helpId - 1)); });
    procedure.step([&] {
        if (boxes() != nullptr)
            boxes()->inform("Info:", replaceLineMarkers(text), MessageIcon::Information);
    });
}

} // namespace framework
