#include "RunSummary.h"

#include <nlohmann/json.hpp>

namespace engineering {
namespace {

using Json = nlohmann::json;

constexpr std::array<std::string_view, 3> kKeyNames = {"machine_type", "var_name",
                                                       "offset_or_bitno"};
constexpr std::array<std::string_view, 5> kValueNames = {"abs_min", "abs_max", "min", "max",
                                                         "pass"};

Json fileJson(const installation::ReplacedFile& file) {
    Json entry = {{"name", file.name}};
    entry["oldSha256"] = file.before ? Json(file.sha256Before) : Json(nullptr);
    entry["newSha256"] = file.after ? Json(file.sha256After) : Json(nullptr);
    return entry;
}

Json presetJson(const presetdb::PresetTableReport& report) {
    Json dropped = Json::array();
    for (const auto& row : report.dropped) {
        Json entry = Json::object();
        for (std::size_t k = 0; k < kKeyNames.size(); ++k)
            entry[std::string(kKeyNames[k])] = row.keys[k];
        for (std::size_t v = 0; v < kValueNames.size(); ++v)
            entry[std::string(kValueNames[v])] = row.values[v];
        dropped.push_back(entry);
    }
    return {{"built", report.built},
            {"rowsBefore", report.rowsBefore},
            {"rowsAfter", report.rowsAfter},
            {"valuesTakenOver", report.valuesTakenOver},
            {"droppedMachineRows", dropped}};
}

} // namespace

std::string summaryJson(const RunSummary& summary, int status) {
    Json files = Json::array();
    for (const auto& file : summary.files)
        files.push_back(fileJson(file));
    Json object = {
        {"status", status},
        {"startMode", summary.startMode},
        {"filesReplaced", files},
        {"buttonsChanged", summary.buttonsChanged},
        {"presetTable", summary.presets ? presetJson(*summary.presets) : Json(nullptr)},
        {"backupFolder", summary.backupFolder ? Json(*summary.backupFolder) : Json(nullptr)},
        {"rolledBack", summary.rolledBack},
        {"converted", summary.converted},
        {"report", summary.report}};
    // Texts the files hold in Windows-1252 are passed on as UTF-8; a byte
    // that is no UTF-8 becomes U+FFFD rather than ending the program.
    return object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace engineering
