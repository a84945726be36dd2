#include "ChangeReport.h"

#include "FunctionFields.h"

#include "framework/Logs.h"
#include "framework/Text.h"

#include <variant>

namespace engineering {
namespace {

constexpr std::array<std::string_view, 3> kKeyNames = {"machine_type", "var_name",
                                                       "offset_or_bitno"};
constexpr std::array<std::string_view, 5> kValueNames = {"abs_min", "abs_max", "min", "max",
                                                         "pass"};

std::string shownValue(const EngineeringFunction& function, const FunctionField& field) {
    return std::visit(
        [&](auto member) -> std::string {
            const auto& value = function.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
                return "\"" + value + "\"";
            else if constexpr (std::is_same_v<std::decay_t<decltype(value)>, bool>)
                return value ? "true" : "false";
            else
                return std::to_string(value);
        },
        field.member);
}

bool hasFunction(const EngineeringFunction& function) {
    return !function.PExeFunction.empty();
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

} // namespace

std::vector<std::string> buttonChangeLines(const ButtonArray& before, const ButtonArray& after) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < before.size(); ++i) {
        std::vector<std::string> fields;
        for (const FunctionField& field : kFunctionFields) {
            const std::string old = shownValue(before[i], field);
            const std::string now = shownValue(after[i], field);
            if (old != now)
                fields.push_back("  " + std::string(field.key) + ": " + old + " -> " + now);
        }
        if (fields.empty())
            continue;
        const char* what = !hasFunction(before[i]) && hasFunction(after[i])   ? "added"
                           : hasFunction(before[i]) && !hasFunction(after[i]) ? "removed"
                                                                              : "changed";
        lines.push_back("Button " + std::to_string(i + 1) + " " + what + ":");
        lines.insert(lines.end(), fields.begin(), fields.end());
    }
    return lines;
}

std::vector<std::string> presetTableLines(const presetdb::PresetTableReport& report) {
    if (!report.built)
        return {};
    std::string summary = "Preset table: " + std::to_string(report.rowsBefore) + " rows before, " +
                          std::to_string(report.rowsAfter) + " after; " +
                          std::to_string(report.valuesTakenOver) + " machine values taken over";
    if (report.dropped.empty())
        return {summary + "."};
    summary += "; values dropped of " + std::to_string(report.dropped.size()) +
               " machine row(s) that no rebuilt row matches:";
    std::vector<std::string> lines{summary};
    for (const auto& row : report.dropped) {
        std::vector<std::string> keys;
        std::vector<std::string> values;
        for (std::size_t k = 0; k < kKeyNames.size(); ++k)
            keys.push_back(std::string(kKeyNames[k]) + "=" + row.keys[k]);
        for (std::size_t v = 0; v < kValueNames.size(); ++v)
            values.push_back(std::string(kValueNames[v]) + "=" + row.values[v]);
        lines.push_back("  " + joined(keys, " ") + ": " + joined(values, " "));
    }
    return lines;
}

std::string filesReplacedLine(const std::vector<FileChange>& files) {
    std::vector<std::string> names;
    for (const FileChange& file : files)
        names.push_back(file.name + (file.created ? " (new)" : ""));
    return "Files replaced: " + joined(names, ", ");
}

std::vector<std::string> changeReportBody(const ButtonArray& before, const ButtonArray& after,
                                          const presetdb::PresetTableReport& presets,
                                          const std::vector<FileChange>& files) {
    std::vector<std::string> body = buttonChangeLines(before, after);
    const bool presetsChanged = presets.built && (presets.changed || !presets.dropped.empty());
    if (body.empty() && files.empty() && !presetsChanged)
        return {std::string(kNoChangesLine)};
    const auto presetLines = presetTableLines(presets);
    body.insert(body.end(), presetLines.begin(), presetLines.end());
    if (!files.empty())
        body.push_back(filesReplacedLine(files));
    return body;
}

std::string changeReportBytes(const std::string& header, const std::vector<std::string>& body) {
    std::string text = header + std::string(framework::kCrLf);
    for (const std::string& line : body)
        text += line + std::string(framework::kCrLf);
    return framework::toWindows1252(text);
}

} // namespace engineering
