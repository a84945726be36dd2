#include "Logs.h"

#include "CommandLine.h"
#include "ErrorProtocol.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "ProgramLocation.h"
#include "ProgramState.h"

#include <cstdio>

namespace run {
namespace {

bool appendLine(const std::string& path, const std::string& line) {
    return !path.empty() &&
           platform::appendToFile(path, platform::toWindows1252(line) + std::string(kCrLf));
}

std::string faultLine(const ProgramState& program, const std::string& message) {
    return "! Fault " + program.executableBaseName + ": " + message;
}

std::string cannotWrite(const std::string& path, const std::string& line) {
    const std::string log = path.empty() ? std::string("the error log")
                                         : platform::utf8Text(platform::withNativeSeparators(path));
    return "Cannot write " + log + ": " + line;
}

void toStandardError(const std::string& report) {
    std::fputs((report + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void writeErrorLine(ProgramState& program, const std::string& line) {
    if (program.request.readsOnly())
        return toStandardError(line);
    const std::string path = errorLogPath(program);
    if (appendLine(path, line))
        return;
    const std::string report = cannotWrite(path, line);
    if (!appendLine(faultLogPath(program), faultLine(program, report)))
        toStandardError(report);
}

void writeFaultLine(ProgramState& program, const std::string& message) {
    const std::string path = faultLogPath(program);
    const std::string line = faultLine(program, message);
    if (program.request.readsOnly())
        return toStandardError(line);
    if (appendLine(path, line))
        return;
    const std::string report = cannotWrite(path, line);
    if (!appendLine(errorLogPath(program), report))
        toStandardError(report);
}

std::string replaceLineMarkers(const std::string& text) {
    constexpr std::string_view kMarker = "<CRLF>";
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const auto found = platform::findIgnoreCase(std::string_view(text).substr(pos), kMarker);
        if (found == std::string_view::npos)
            break;
        out += text.substr(pos, found);
        out += kCrLf;
        pos += found + kMarker.size();
    }
    return out + text.substr(pos);
}

} // namespace

std::string errorLogPath(ProgramState& program) {
    if (program.StartModeIntegrated)
        return GetPathLogfile(program);
    return installationFolder(program) + std::string(kSeparator) + "Q4Mcfglog.txt";
}

std::string faultLogPath(const ProgramState& program) {
    // A dry run works on a scratch copy of the installation and writes no
    // log of the real one: its fault log stays in the copy too.
    const auto machineFolder = platform::machineWideLogFolder();
    const std::string folder = machineFolder && program.request.action != RunAction::DryRun
                                   ? *machineFolder
                                   : installationFolder(program);
    return folder + std::string(kSeparator) + "HalvarServicePack.log";
}

std::string LogError(ProgramState& program, const std::string& message, bool show) {
    const std::string path = errorLogPath(program);
    writeErrorLine(program, message);
    const std::string text =
        "Error logged to " + std::string(kLfCr) + platform::displayedPath(path);
    if (!show)
        return text;
    ReportFault(program, text);
    return {};
}

void LogFault(ProgramState& program, const std::string& message) {
    writeFaultLine(program, message);
}

void ReportFault(ProgramState& program, const std::string& message) {
    // Whatever was not done is a failure: the run must not end with status 0.
    program.failureReported = true;
    program.lastFailure = message;
    program.reporter().tell({program.executableBaseName, message, MessageIcon::Critical});
}

bool ConfirmCancelEdits(ProgramState& program) {
    const std::string lfcr(kLfCr);
    std::string message =
        "Cancel edits?" + lfcr + "Remark:" + lfcr + "Until now no changes have been taken over ";
    const std::string component = GetOCXNameOrEmpty(program);
    if (program.StartModeIntegrated) {
        message += lfcr + "\"" + component +
                   "\" has to be configured again in \"standalone-mode\" via " + lfcr + "\"" +
                   program.executableFolder + std::string(kSeparator) + program.executableBaseName +
                   ".exe\"";
    }
    if (!program.reporter().ask({"Cancel?", message, MessageIcon::Exclamation}, DefaultButton::No,
                                message))
        return false;
    LogError(program, "Konfigurations-EXE wurde abgebrochen:     " + component, false);
    return true;
}

void ShowHelpText(ProgramState& program, int helpId, std::string_view noHelp) {
    // A failure here (a help number outside 1 to 100) is skipped without a report.
    Procedure procedure(program, "ShowHelpText", Procedure::OnFailure::SkipSilently);
    if (!program.HelpMode)
        return;
    std::string text;
    procedure.step([&] { text = program.HelpTexts.at(std::size_t(helpId - 1)); });
    // "0" is the language file's placeholder for a text nobody has written yet.
    if (text.empty() || text == "0")
        text = noHelp;
    procedure.step([&] {
        program.reporter().tell({"Info:", replaceLineMarkers(text), MessageIcon::Information});
    });
}

} // namespace run
