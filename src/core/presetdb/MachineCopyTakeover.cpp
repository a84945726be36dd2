#include "MachineCopyTakeover.h"

#include "PresetMessages.h"

#include "framework/ErrorProtocol.h"
#include "framework/IniAccess.h"
#include "framework/InstallationPaths.h"
#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <unordered_map>

namespace presetdb {
namespace {

using framework::Failure;
using framework::Procedure;

constexpr std::size_t kMaxRows = 32767;
constexpr int kColumnsWithoutAdditional = 15;
constexpr std::array<std::string_view, 3> kKeys = {"machine_type", "var_name", "offset_or_bitno"};
constexpr std::array<std::string_view, 5> kTakenOver = {"abs_min", "abs_max", "min", "max", "pass"};

// A key value: nothing stands for NULL, a value of its own that equals only
// NULL (as SQL's IS does), so rows whose keys are NULL on both sides match.
using KeyText = std::optional<std::string>;
using KeyNumber = std::optional<double>;

struct RowKey {
    KeyText machineType;
    KeyText varName;
    KeyNumber offset;
    bool operator==(const RowKey&) const = default;
};

struct RowKeyHash {
    std::size_t operator()(const RowKey& key) const {
        const std::hash<KeyText> text;
        std::size_t hash = text(key.machineType);
        hash = hash * 31 + text(key.varName);
        return hash * 31 + std::hash<KeyNumber>()(key.offset);
    }
};

// Texts compare upper-cased and numbers by their text; nothing (no key at
// all) for a value of another kind.
std::optional<KeyText> keyText(const Value& value) {
    switch (value.kind()) {
    case ValueKind::Null:
        return KeyText();
    case ValueKind::Text:
        return framework::upperCase(value.text());
    case ValueKind::Integer:
    case ValueKind::Real:
        return toText(value);
    default:
        return std::nullopt;
    }
}

// Numbers by value, +0.0 and -0.0 alike; nothing for a value that is no number.
std::optional<KeyNumber> keyNumber(const Value& value) {
    if (value.isNull())
        return KeyNumber();
    const auto number = numericValue(value);
    if (!number)
        return std::nullopt;
    return *number == 0 ? 0.0 : *number;
}

// Nothing when one of the values can be no key: such a row matches nothing.
std::optional<RowKey> keyOf(const Value& machineType, const Value& varName, const Value& offset) {
    auto type = keyText(machineType);
    auto name = keyText(varName);
    const auto number = keyNumber(offset);
    if (!type || !name || !number)
        return std::nullopt;
    return RowKey{std::move(*type), std::move(*name), *number};
}

struct MachineRow {
    std::optional<RowKey> key;
    std::array<Value, kTakenOver.size()> values;
};

std::vector<MachineRow> readMachineRows(Recordset& machine, std::size_t rowCount, Pacer& pacer) {
    const int typeField = machine.fieldIndex(kKeys[0]);
    const int nameField = machine.fieldIndex(kKeys[1]);
    const int offsetField = machine.fieldIndex(kKeys[2]);
    std::array<int, kTakenOver.size()> valueFields{};
    for (std::size_t v = 0; v < kTakenOver.size(); ++v)
        valueFields[v] = machine.fieldIndex(kTakenOver[v]);

    pacer.stage(600, 750, rowCount);
    std::vector<MachineRow> rows;
    rows.reserve(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i) {
        pacer.tick(i);
        machine.move(i);
        MachineRow& row = rows.emplace_back();
        row.key =
            keyOf(machine.value(typeField), machine.value(nameField), machine.value(offsetField));
        for (std::size_t v = 0; v < kTakenOver.size(); ++v)
            row.values[v] = machine.value(valueFields[v]);
    }
    return rows;
}

[[noreturn]] void endWithDatabaseError(Procedure& procedure) {
    procedure.fatal(Failure(framework::ErrDatabaseContactAdministrator,
                            std::string(kContactAdministrator),
                            procedure.program().executableBaseName));
}

void warnAboutLostColumns(Procedure& procedure) {
    framework::ProgramState& program = procedure.program();
    const LostColumnsWarning warning = lostColumnsWarning(program);
    if (program.reporter().ask(
            {program.executableBaseName, warning.question, framework::MessageIcon::Exclamation},
            framework::DefaultButton::No, warning.unattended))
        return;
    framework::LogError(program, lostColumnsStopText(program), false);
    endWithDatabaseError(procedure);
}

// Every configured column must be in the rebuilt table, spelt exactly so; the
// first column does not count.
void checkConfiguredColumns(const PresetState& presets, Database& work, Procedure& procedure) {
    const std::vector<std::string>& configured = presets.AdditionalFields;
    if (configured.empty())
        return;
    const std::vector<ColumnDefinition> columns = work.columns("PRESET_DEFS");
    for (std::size_t a = 1; a < configured.size(); ++a) {
        const bool present = std::any_of(columns.begin() + 1, columns.end(),
                                         [&](const auto& c) { return c.name == configured[a]; });
        if (present)
            continue;
        framework::LogError(procedure.program(),
                            columnConflictText(procedure.program(), configured[a]), false);
        endWithDatabaseError(procedure);
    }
}

// The rebuilt rows with the columns the takeover uses: "ID" when there is
// one, the keys and the values (a missing key or value column is a failure).
Recordset openRebuiltRows(Database& work) {
    const std::vector<ColumnDefinition> columns = work.columns("PRESET_DEFS");
    const bool hasId = std::any_of(columns.begin(), columns.end(), [](const ColumnDefinition& c) {
        return framework::equalsIgnoreCase(c.name, "ID");
    });
    std::vector<std::string> used;
    if (hasId)
        used.emplace_back("ID");
    used.insert(used.end(), kKeys.begin(), kKeys.end());
    used.insert(used.end(), kTakenOver.begin(), kTakenOver.end());
    return Recordset::openTable(work, "PRESET_DEFS", used);
}

// The position of the first rebuilt row, in "ID" order, for each key.
std::unordered_map<RowKey, std::size_t, RowKeyHash> indexRebuiltRows(Recordset& rebuilt) {
    const std::optional<int> idField = rebuilt.findField("ID");
    const int typeField = rebuilt.fieldIndex(kKeys[0]);
    const int nameField = rebuilt.fieldIndex(kKeys[1]);
    const int offsetField = rebuilt.fieldIndex(kKeys[2]);

    std::vector<std::pair<std::optional<double>, std::size_t>> order;
    order.reserve(rebuilt.recordCount());
    for (std::size_t i = 0; i < rebuilt.recordCount(); ++i) {
        rebuilt.move(i);
        order.emplace_back(idField ? numericValue(rebuilt.value(*idField)) : std::nullopt, i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::unordered_map<RowKey, std::size_t, RowKeyHash> firstRow;
    firstRow.reserve(order.size());
    for (const auto& [id, position] : order) {
        rebuilt.move(position);
        if (auto key = keyOf(rebuilt.value(typeField), rebuilt.value(nameField),
                             rebuilt.value(offsetField)))
            firstRow.emplace(std::move(*key), position);
    }
    return firstRow;
}

std::string reportText(const Value& value) {
    return value.isNull() ? "NULL" : toText(value);
}

// The machine row as stored, for the report of a row whose values found no
// rebuilt row.
PresetTableReport::DroppedRow droppedRow(Recordset& machine, std::size_t position) {
    machine.move(position);
    PresetTableReport::DroppedRow row;
    for (std::size_t k = 0; k < kKeys.size(); ++k)
        row.keys[k] = reportText(machine.value(machine.fieldIndex(kKeys[k])));
    for (std::size_t v = 0; v < kTakenOver.size(); ++v)
        row.values[v] = reportText(machine.value(machine.fieldIndex(kTakenOver[v])));
    return row;
}

} // namespace

std::vector<std::string> GetAdditionalFieldsMDB(framework::ProgramState& program) {
    Procedure procedure(program, "GetAdditionalFieldsMDB");
    std::vector<std::string> names{""};
    procedure.step([&] {
        std::string list = framework::LoadIniString(program, "Project", "DataBaseAdditionalFields",
                                                    framework::GetCFGPath(program));
        list = list.empty() ? "part" : "part," + list;
        for (;;) {
            const auto comma = list.find(',');
            names.push_back(list.substr(0, comma));
            if (comma == std::string::npos)
                break;
            list.erase(0, comma + 1);
        }
    });
    return names;
}

void GetAddFields(framework::ProgramState& program, PresetState& state) {
    Procedure procedure(program, "GetAddFields");
    procedure.step([&] {
        state.AdditionalFields = GetAdditionalFieldsMDB(program);
        if (state.AdditionalFields.empty())
            return;
        state.AdditionalFieldsCount = std::int16_t(state.AdditionalFields.size() - 1);
    });
}

TakeoverResult TakeoverMachineCopyMDBData(framework::ProgramState& program, PresetState& presets,
                                          Database& work, Recordset& machine, Pacer& pacer) {
    Procedure procedure(program, "TakeoverMachineCopyMDBData");

    if (machine.fieldCount() > kColumnsWithoutAdditional && presets.AdditionalFieldsCount == 0)
        warnAboutLostColumns(procedure);

    std::size_t rowCount = 0;
    std::vector<MachineRow> rows;
    const bool read = procedure.step([&] {
        if (machine.recordCount() > kMaxRows)
            throw Failure(framework::ErrOverflow, "Overflow");
        rowCount = machine.recordCount();
        if (rowCount > 0)
            rows = readMachineRows(machine, rowCount, pacer);
    });
    if (!read)
        return TakeoverResult::Failed;
    if (rows.empty())
        return TakeoverResult::Done;

    std::optional<Recordset> rebuilt;
    std::unordered_map<RowKey, std::size_t, RowKeyHash> firstRow;
    std::array<int, kTakenOver.size()> valueFields{};
    std::optional<Transaction> writes;
    const bool ready = procedure.step([&] {
        checkConfiguredColumns(presets, work, procedure);
        rebuilt = openRebuiltRows(work);
        firstRow = indexRebuiltRows(*rebuilt);
        for (std::size_t v = 0; v < kTakenOver.size(); ++v)
            valueFields[v] = rebuilt->fieldIndex(kTakenOver[v]);
        writes.emplace(work);
    });
    if (!ready)
        return TakeoverResult::Failed;

    bool complete = true;
    std::vector<std::size_t> unmatched;
    PresetTableReport& report = presets.report;
    pacer.stage(750, 950, rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        pacer.tick(i);
        const MachineRow& row = rows[i];
        const auto found = row.key ? firstRow.find(*row.key) : firstRow.end();
        if (found == firstRow.end()) {
            unmatched.push_back(i);
            continue;
        }
        const bool written = procedure.step([&] {
            rebuilt->move(found->second);
            rebuilt->edit();
            for (std::size_t v = 0; v < kTakenOver.size(); ++v)
                rebuilt->setValue(valueFields[v], row.values[v]);
            rebuilt->update();
        });
        report.valuesTakenOver += written ? 1 : 0;
        complete = written && complete;
    }
    complete = procedure.step([&] { writes->commit(); }) && complete;
    procedure.step([&] {
        for (const std::size_t position : unmatched)
            report.dropped.push_back(droppedRow(machine, position));
    });
    return complete ? TakeoverResult::Done : TakeoverResult::Failed;
}

} // namespace presetdb
