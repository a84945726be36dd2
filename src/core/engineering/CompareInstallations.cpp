#include "CompareInstallations.h"

#include "ButtonOrigins.h"
#include "ConfigurationRun.h"
#include "FunctionFields.h"
#include "ReportText.h"
#include "SymbolNames.h"

#include "installation/InstallationLock.h"
#include "installation/RunJournal.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "presetdb/AccessConversion.h"
#include "presetdb/Database.h"
#include "run/ErrorProtocol.h"

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace engineering {
namespace {

constexpr std::array<const char*, 5> kLimitNames = {"abs_min", "abs_max", "min", "max", "pass"};
using Limits = std::array<std::string, kLimitNames.size()>;
using PresetLimits = std::map<std::string, Limits>; // by the shown keys

std::string shown(const std::optional<std::string>& value) {
    return value ? quotedReportText(*value) : "(none)";
}

std::optional<std::string> fieldText(const FunctionLists& lists, int button,
                                     const FunctionField& field) {
    if (buttonOrigin(lists, button) == FunctionOrigin::None)
        return std::nullopt;
    EngineeringFunction function = lists.button(button);
    function.PSymbolName = storedSymbolName(function.PSymbolName);
    return run::iniText(fieldValue(function, field));
}

std::vector<std::string> buttonDifferences(const FunctionLists& mine, const FunctionLists& other) {
    std::vector<std::string> lines;
    for (int button = 1; button <= kButtonCount; ++button) {
        std::vector<std::string> changed;
        for (const FunctionField& field : kFunctionFields) {
            if (field.key == "WhereICome")
                continue;
            const auto before = fieldText(mine, button, field);
            const auto after = fieldText(other, button, field);
            if (before != after)
                changed.push_back("  " + std::string(field.key) + ": " + shown(before) + " -> " +
                                  shown(after));
        }
        if (changed.empty())
            continue;
        lines.push_back("button " + std::to_string(button) + " changed:");
        lines.insert(lines.end(), changed.begin(), changed.end());
    }
    return lines;
}

// A null value is shown as the change report shows one.
std::string valueText(const presetdb::Value& value) {
    return value.isNull() ? std::string("Null") : presetdb::toText(value);
}

std::string offsetText(const presetdb::Value& value) {
    const auto number = presetdb::numericValue(value);
    if (!number)
        return valueText(value);
    std::ostringstream text;
    text << *number;
    return text.str();
}

PresetLimits presetLimits(const installation::InstallationFiles& files) {
    const std::string& path = files.targetDatabase;
    PresetLimits limits;
    if (platform::probeFile(path) == platform::FileKind::Missing)
        return limits;
    presetdb::Database database = presetdb::readAnyIntoMemory(path);
    presetdb::Statement rows =
        database.prepare("SELECT machine_type, var_name, offset_or_bitno, abs_min, abs_max, "
                         "min, max, pass FROM PRESET_DEFS");
    while (rows.step()) {
        const std::string key = platform::upperCase(valueText(rows.column(0))) + "/" +
                                platform::upperCase(valueText(rows.column(1))) + "/" +
                                offsetText(rows.column(2));
        Limits& values = limits[key];
        for (std::size_t v = 0; v < values.size(); ++v)
            values[v] = valueText(rows.column(int(v) + 3));
    }
    return limits;
}

std::vector<std::string> limitLines(const Limits* before, const Limits* after) {
    std::vector<std::string> lines;
    for (std::size_t v = 0; v < kLimitNames.size(); ++v) {
        const auto mine = before ? std::optional(before->at(v)) : std::nullopt;
        const auto other = after ? std::optional(after->at(v)) : std::nullopt;
        if (mine != other)
            lines.push_back("  " + std::string(kLimitNames[v]) + ": " + shown(mine) + " -> " +
                            shown(other));
    }
    return lines;
}

std::vector<std::string> presetDifferences(const PresetLimits& mine, const PresetLimits& other) {
    std::vector<std::string> lines;
    const auto add = [&](const std::string& key, const Limits* before, const Limits* after) {
        const std::vector<std::string> changed = limitLines(before, after);
        if (changed.empty())
            return;
        const char* how = !before ? "added" : !after ? "removed" : "changed";
        lines.push_back("preset " + reportText(key) + " " + how + ":");
        lines.insert(lines.end(), changed.begin(), changed.end());
    };
    for (const auto& [key, limits] : mine) {
        const auto found = other.find(key);
        add(key, &limits, found == other.end() ? nullptr : &found->second);
    }
    for (const auto& [key, limits] : other)
        if (!mine.contains(key))
            add(key, nullptr, &limits);
    return lines;
}

// The other installation's component folder.
std::string otherComponent(const run::ProgramState& program) {
    const fs::path named = platform::nativePath(program.request.actionPath);
    const fs::path inside = named / platform::nativePath(program.executableFolder).filename();
    std::error_code ignored;
    return platform::utf8Text(fs::is_directory(inside, ignored) ? inside : named);
}

} // namespace

int compareInstallations(ConfigurationRun& run, std::ostream& out) {
    run.load();
    run::ProgramStart start{
        {}, otherComponent(run.program), run.program.executableBaseName, {}, run.program.request};
    ConfigurationRun other(std::move(start), nullptr);
    const installation::InstallationLock lock(
        installation::installationLockPath(other.program), installation::kInstallationLockWait, {},
        installation::kInstallationLockPoll, installation::InstallationLock::Access::Shared);
    if (!lock.mayProceed()) {
        run.program.lastFailure = run.messages.text(
            texts::Message::CompareOtherLocked,
            {other.program.executableFolder, run.messages.text(texts::Message::LockBusy)});
        return run::ExitEndedByFailure;
    }
    if (installation::hasInterruptedRun(platform::nativePath(other.program.executableFolder))) {
        run.program.lastFailure =
            run.messages.text(texts::Message::Interrupted, {other.program.executableFolder});
        return run::ExitEndedByFailure;
    }
    other.load();
    std::vector<std::string> lines = buttonDifferences(run.lists, other.lists);
    try {
        const std::vector<std::string> presets =
            presetDifferences(presetLimits(run.files), presetLimits(other.files));
        lines.insert(lines.end(), presets.begin(), presets.end());
    } catch (const run::Failure& failure) {
        run.program.lastFailure = failure.description();
        return run::ExitEndedByFailure;
    }
    for (const std::string& line : lines)
        out << line << "\n";
    out << std::flush;
    if (!lines.empty())
        return kExitInstallationsDiffer;
    const int status = run::completionStatus(run.program);
    return status == run::ExitOk ? run::completionStatus(other.program) : status;
}

} // namespace engineering
