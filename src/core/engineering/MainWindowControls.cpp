#include "MainWindowControls.h"

#include "EngineeringFunction.h"

#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

namespace engineering {
namespace {

using texts::ControlEntry;
using texts::TwipsRect;

ControlEntry control(std::string name, std::string_view kind, int helpId, std::string caption,
                     TwipsRect geometry, std::string container, int index = 0) {
    ControlEntry entry;
    entry.name = std::move(name);
    entry.index = index;
    entry.kind = std::string(kind);
    entry.helpId = helpId;
    entry.caption = std::move(caption);
    entry.geometry = geometry;
    entry.container = std::move(container);
    return entry;
}

} // namespace

TwipsRect picGeometry(int n) {
    const int column = (n - 1) / 6;
    const int row = (n - 1) % 6;
    return {120 + 1020 * column, 210 + 960 * row, 990, 930};
}

texts::ControlTable mainWindowControls() {
    using namespace texts;
    const std::string window = kMainWindowName;
    ControlTable controls;
    controls.push_back(
        control("CommandQuest", kKindCommandButton, 0, "", {7350, 7710, 975, 855}, window));
    controls.push_back(control("CommandCancel", kKindCommandButton, kHelpCommandCancel, "",
                               {10170, 7710, 1695, 855}, window));
    controls.push_back(control("CommandOK", kKindCommandButton, kHelpCommandOK, "",
                               {8400, 7710, 1695, 855}, window));
    controls.push_back(control("MainFrame", kKindFrame, 0, "", {0, 405, 11880, 7260}, window));
    controls.push_back(control("CommandEdit", kKindCommandButton, kHelpCommandEdit, "Edit",
                               {135, 6780, 960, 375}, "MainFrame"));
    for (int n = 1; n <= kButtonCount; ++n)
        controls.push_back(
            control("Pic", kKindCommandButton, kHelpPic, "", picGeometry(n), "MainFrame", n));
    controls.push_back(control("Header", kKindLabel, 0, kHeaderText, {30, 30, 11775, 360}, window));
    return controls;
}

std::string mainWindowCaption(run::ProgramState& program) {
    return "Erweiterte Konfiguration " + run::GetFileNameOnly(program, program.executableFolder) +
           (program.StartModeIntegrated ? " - integriert" : " - standalone");
}

} // namespace engineering
