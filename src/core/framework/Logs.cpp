#include "Logs.h"

#include "CommandLine.h"
#include "ErrorProtocol.h"
#include "FileSystem.h"
#include "MessageBoxes.h"
#include "ProgramLocation.h"
#include "ProgramState.h"
#include "Text.h"

#include <cstdio>

namespace framework {
namespace {

bool appendLine(const std::string& path, const std::string& line) {
    return !path.empty() && appendToFile(path, toWindows1252(line) + std::string(kCrLf));
}

std::string faultLine(const std::string& message) {
    return "! Fault " + executableBaseName() + ": " + message;
}

std::string cannotWrite(const std::string& path, const std::string& line) {
    const std::string log =
        path.empty() ? std::string("the error log") : utf8Text(withNativeSeparators(path));
    return "Cannot write " + log + ": " + line;
}

void toStandardError(const std::string& report) {
    std::fputs((report + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void writeErrorLine(const std::string& line) {
    const std::string path = errorLogPath();
    if (appendLine(path, line))
        return;
    const std::string report = cannotWrite(path, line);
    if (!appendLine(faultLogPath(), faultLine(report)))
        toStandardError(report);
}

void writeFaultLine(const std::string& message) {
    const std::string path = faultLogPath();
    const std::string line = faultLine(message);
    if (appendLine(path, line))
        return;
    const std::string report = cannotWrite(path, line);
    if (!appendLine(errorLogPath(), report))
        toStandardError(report);
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
    writeErrorLine(message);
    const std::string text = "Error logged to " + std::string(kLfCr) + upperCase(path);
    if (!show)
        return text;
    ReportFault(text);
    return {};
}

void LogFault(const std::string& message) {
    writeFaultLine(message);
}

void ReportFault(const std::string& message) {
    // Whatever was not done is a failure: the run must not end with status 0.
    programState().failureReported = true;
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
