#include "MachineCopyTakeover.h"

#include "CaseFolding.h"
#include "KeyStore.h"
#include "PresetMessages.h"

#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/ProgramState.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>

namespace presetdb {
namespace {

using run::Failure;
using run::Procedure;

constexpr std::int64_t kMaxRows = 32767;
constexpr std::string_view kPresetTable = "PRESET_DEFS";
constexpr int kColumnsWithoutAdditional = 15;
constexpr std::array<std::string_view, 3> kKeys = {"machine_type", "var_name", "offset_or_bitno"};
constexpr std::array<std::string_view, 5> kTakenOver = {"abs_min", "abs_max", "min", "max", "pass"};
// The columns the machine's table must have, as a dropped row reports them.
constexpr auto kKeysThenValues = [] {
    std::array<std::string_view, kKeys.size() + kTakenOver.size()> all{};
    std::copy(kTakenOver.begin(), kTakenOver.end(),
              std::copy(kKeys.begin(), kKeys.end(), all.begin()));
    return all;
}();

// The key as one blob: each text upper-cased, as its length and bytes, the
// number as its bits (+0.0 and -0.0 alike); a mark before each part tells
// NULL apart. A value that can be no key (a blob, a non-numeric offset) makes
// no key at all.
class KeyBuilder {
    using Length = std::uint32_t; // no SQLite text is longer
public:
    KeyBuilder() { key_.reserve(64); }

    // Texts compare upper-cased and numbers by their text.
    bool addText(const ValueView& value) {
        switch (value.kind) {
        case ValueKind::Null:
            key_.push_back('N');
            return true;
        case ValueKind::Text:
            appendText(value.bytes);
            if (!upperCaseAscii(std::span(key_).last(value.bytes.size()))) {
                key_.resize(key_.size() - value.bytes.size() - sizeof(Length) - 1);
                appendText(upperCased(value.bytes));
            }
            return true;
        case ValueKind::Integer:
        case ValueKind::Real:
            appendText(toText(Value(value)));
            return true;
        default:
            return false;
        }
    }

    // Numbers by value.
    bool addNumber(const ValueView& value) {
        std::optional<double> number;
        switch (value.kind) {
        case ValueKind::Null:
            key_.push_back('N');
            return true;
        case ValueKind::Integer:
            number = double(value.integer);
            break;
        case ValueKind::Real:
            number = value.real;
            break;
        default:
            number = numericValue(Value(value));
        }
        if (!number)
            return false;
        const double bits = *number == 0 ? 0.0 : *number;
        key_.push_back('D');
        append(&bits, sizeof bits);
        return true;
    }

    std::string_view bytes() const { return key_; }
    void clear() { key_.clear(); }

private:
    void append(const void* bytes, std::size_t size) {
        key_.append(static_cast<const char*>(bytes), size);
    }
    void appendText(std::string_view text) {
        const auto size = Length(text.size());
        key_.push_back('T');
        append(&size, sizeof size);
        append(text.data(), text.size());
    }

    std::string key_;
};

// The key of a row's "machine_type", "var_name" and "offset_or_bitno" into
// key: equal for the same parameter; false when one of the values can be no
// key, so that the row matches nothing.
bool buildMatchKey(std::span<const ValueView> keys, KeyBuilder& key) {
    key.clear();
    return key.addText(keys[0]) && key.addText(keys[1]) && key.addNumber(keys[2]);
}

// SQL function preset_number(value): the number a value stands for, null for none.
Value number(std::span<const ValueView> arguments) {
    const auto found = numericValue(Value(arguments[0]));
    return found ? Value(*found) : Value();
}

[[noreturn]] void endWithDatabaseError(Procedure& procedure) {
    procedure.fatal(Failure(run::ErrDatabaseContactAdministrator,
                            std::string(kContactAdministrator),
                            procedure.program().executableBaseName));
}

void warnAboutLostColumns(Procedure& procedure) {
    run::ProgramState& program = procedure.program();
    const LostColumnsWarning warning = lostColumnsWarning(program);
    if (program.reporter().ask(
            {program.executableBaseName, warning.question, run::MessageIcon::Exclamation},
            run::DefaultButton::No, warning.unattended))
        return;
    run::LogError(program, lostColumnsStopText(program), false);
    endWithDatabaseError(procedure);
}

// Every configured column must be in the rebuilt table, spelt exactly so; the
// first column does not count.
void checkConfiguredColumns(const PresetSettings& settings, Database& work, Procedure& procedure) {
    const std::vector<std::string>& configured = settings.AdditionalFields;
    if (configured.empty())
        return;
    const std::vector<ColumnDefinition> columns = work.columns("PRESET_DEFS");
    for (std::size_t a = 1; a < configured.size(); ++a) {
        const bool present = std::any_of(columns.begin() + 1, columns.end(),
                                         [&](const auto& c) { return c.name == configured[a]; });
        if (present)
            continue;
        run::LogError(procedure.program(), columnConflictText(procedure.program(), configured[a]),
                      false);
        endWithDatabaseError(procedure);
    }
}

// The machine table must have every key and value column (any letter case).
void requireMachineColumns(Database& machine) {
    const std::vector<ColumnDefinition> columns = machine.columns(kPresetTable);
    const auto has = [&columns](std::string_view name) {
        return std::any_of(columns.begin(), columns.end(), [name](const ColumnDefinition& c) {
            return platform::equalsIgnoreCase(c.name, name);
        });
    };
    for (const std::string_view name : kKeysThenValues)
        if (!has(name))
            throw Failure(run::ErrDatabase,
                          "Item not found in this collection. (" + std::string(name) + ")");
}

std::size_t rebuiltRowCount(Database& work) {
    Statement count = work.prepare("SELECT count(*) FROM main.PRESET_DEFS");
    count.step();
    return std::size_t(count.view(0).integer);
}

std::string keyColumns(std::string_view table) {
    std::string columns;
    for (const std::string_view key : kKeys)
        columns += (columns.empty() ? "" : ", ") + std::string(table) + "." + std::string(key);
    return columns;
}

// The first rebuilt row of every key: the first in "ID" order (table order
// without an "ID" column). Looked up once per machine row, so a hash table
// in memory rather than a table that SQLite keeps sorted.
class FirstRebuiltRows {
public:
    // A missing key column of the rebuilt table is a failure.
    void index(Database& work) {
        const std::vector<ColumnDefinition> columns = work.columns(kPresetTable);
        const bool hasId =
            std::any_of(columns.begin(), columns.end(), [](const ColumnDefinition& c) {
                return platform::equalsIgnoreCase(c.name, "ID");
            });
        const std::string select =
            "SELECT r._rowid_, " + keyColumns("r") + " FROM main.PRESET_DEFS AS r";
        rowCount_ = rebuiltRowCount(work);
        rowByKey_.reserve(rowCount_);
        // While every row has a key of its own their order does not matter,
        // so the sort waits for a row without one or with a key already seen.
        if (add(work.prepare(select)))
            return;
        rowByKey_.clear(); // keeps its buckets; the keys kept stay unused
        add(work.prepare(select + " ORDER BY " + (hasId ? "preset_number(r.ID), " : "") +
                         "r._rowid_"));
    }

    std::size_t rowCount() const { return rowCount_; }

    // The rebuilt row of a machine row's "machine_type", "var_name" and
    // "offset_or_bitno", if any.
    std::optional<std::int64_t> rebuiltRow(std::span<const ValueView> keys) {
        if (!buildMatchKey(keys, key_))
            return std::nullopt;
        const auto found = rowByKey_.find(key_.bytes());
        if (found == rowByKey_.end())
            return std::nullopt;
        return found->second;
    }

private:
    // Keeps the first row of every key; false when a row was skipped.
    bool add(Statement rows) {
        bool everyRow = true;
        std::array<ValueView, kKeys.size()> keys;
        while (rows.step()) {
            for (std::size_t k = 0; k < keys.size(); ++k)
                keys[k] = rows.view(int(k) + 1);
            const bool added = buildMatchKey(keys, key_) && !rowByKey_.contains(key_.bytes());
            if (added)
                rowByKey_.emplace(keys_.keep(key_.bytes()), rows.view(0).integer);
            everyRow = added && everyRow;
        }
        return everyRow;
    }

    std::unordered_map<std::string_view, std::int64_t> rowByKey_; // keys in keys_
    KeyStore keys_;
    std::size_t rowCount_ = 0;
    KeyBuilder key_; // its room is kept for the next key
};

using TakenOver = std::array<Value, kTakenOver.size()>;

// The values of the paired rebuilt rows by row id. The fill numbers the
// rows from 1, so those of 1 to the row count lie in a plain array.
class ValuesByRow {
public:
    explicit ValuesByRow(std::size_t rowCount = 0) : numbered_(rowCount) {}

    TakenOver& operator[](std::int64_t row) {
        if (std::optional<TakenOver>* numbered = numberedAt(row))
            return numbered->has_value() ? **numbered : numbered->emplace();
        return others_[row];
    }
    const TakenOver* find(std::int64_t row) {
        if (std::optional<TakenOver>* numbered = numberedAt(row))
            return numbered->has_value() ? &**numbered : nullptr;
        const auto found = others_.find(row);
        return found == others_.end() ? nullptr : &found->second;
    }

private:
    std::optional<TakenOver>* numberedAt(std::int64_t row) {
        return row >= 1 && std::uint64_t(row) <= numbered_.size() ? &numbered_[std::size_t(row - 1)]
                                                                  : nullptr;
    }
    std::vector<std::optional<TakenOver>> numbered_;
    std::unordered_map<std::int64_t, TakenOver> others_;
};

// The machine rows paired with the rebuilt rows, and the others.
struct MachinePairs {
    // The values for each paired rebuilt row: of several machine rows, the
    // last in table order gives them.
    ValuesByRow valuesOf;
    // The keys and values of the unpaired machine rows, in table order.
    std::vector<std::vector<Value>> unpaired;

    // "preset_paired(row)": whether the rebuilt row has a machine row.
    Value paired(std::span<const ValueView> arguments) {
        return Value(std::int64_t(valuesFor(arguments[0].integer) != nullptr));
    }
    // "preset_taken_over(row, k)": the k-th value the rebuilt row takes over.
    Value takenOver(std::span<const ValueView> arguments) {
        const TakenOver* values = valuesFor(arguments[0].integer);
        if (values == nullptr)
            throw Failure(run::ErrDatabase, "No machine values for this row");
        return values->at(std::size_t(arguments[1].integer));
    }

private:
    // The values of a rebuilt row, if paired. The UPDATE asks for one row's
    // values one after the other, so the last row found is kept.
    const TakenOver* valuesFor(std::int64_t row) {
        if (lastRow_ != row) {
            lastRow_ = row;
            lastValues_ = valuesOf.find(row);
        }
        return lastValues_;
    }
    std::optional<std::int64_t> lastRow_;
    const TakenOver* lastValues_ = nullptr;
};

// Reads the machine rows in table order and pairs each with the rebuilt row
// of its keys.
MachinePairs pairMachineRows(Database& machine, FirstRebuiltRows& firstRows) {
    std::string columns;
    for (const std::string_view name : kKeysThenValues)
        columns += ", m." + quoteIdentifier(name);
    Statement rows =
        machine.prepare("SELECT m._rowid_" + columns + " FROM PRESET_DEFS AS m ORDER BY m._rowid_");
    MachinePairs pairs;
    pairs.valuesOf = ValuesByRow(firstRows.rowCount());
    std::array<ValueView, kKeys.size()> keys;
    constexpr int kFirstValue = 1 + int(kKeys.size());
    while (rows.step()) {
        for (std::size_t k = 0; k < keys.size(); ++k)
            keys[k] = rows.view(int(k) + 1);
        if (const auto rebuilt = firstRows.rebuiltRow(keys)) {
            TakenOver& values = pairs.valuesOf[*rebuilt];
            for (std::size_t v = 0; v < values.size(); ++v)
                values[v] = rows.column(kFirstValue + int(v));
            continue;
        }
        auto& row = pairs.unpaired.emplace_back();
        row.reserve(kKeysThenValues.size());
        for (std::size_t c = 1; c <= kKeysThenValues.size(); ++c)
            row.push_back(rows.column(int(c)));
    }
    return pairs;
}

// The paired rebuilt rows get their machine values. Preparing it finds a
// missing value column of the rebuilt table.
Statement takeOverStatement(Database& work) {
    std::string set;
    for (std::size_t v = 0; v < kTakenOver.size(); ++v)
        set += (set.empty() ? "" : ", ") + quoteIdentifier(kTakenOver[v]) +
               " = preset_taken_over(_rowid_, " + std::to_string(v) + ")";
    return work.prepare("UPDATE main.PRESET_DEFS SET " + set + " WHERE preset_paired(_rowid_)");
}

std::string reportText(const Value& value) {
    return value.isNull() ? "NULL" : toText(value);
}

// A machine row whose values found no rebuilt row, for the report.
PresetTableReport::DroppedRow droppedRow(const std::vector<Value>& values) {
    PresetTableReport::DroppedRow row;
    for (std::size_t k = 0; k < kKeys.size(); ++k)
        row.keys[k] = reportText(values[k]);
    for (std::size_t v = 0; v < kTakenOver.size(); ++v)
        row.values[v] = reportText(values[kKeys.size() + v]);
    return row;
}

} // namespace

TakeoverResult TakeoverMachineCopyMDBData(run::ProgramState& program,
                                          const PresetSettings& settings, PresetState& presets,
                                          Database& work, Database& machine, Pacer& pacer) {
    Procedure procedure(program, "TakeoverMachineCopyMDBData");

    if (machine.columns(kPresetTable).size() > kColumnsWithoutAdditional &&
        settings.AdditionalFields.empty())
        warnAboutLostColumns(procedure);

    std::int64_t rowCount = 0;
    const bool read = procedure.step([&] {
        Statement count = machine.prepare("SELECT count(*) FROM PRESET_DEFS");
        count.step();
        rowCount = count.column(0).integer();
        if (rowCount > kMaxRows)
            throw Failure(run::ErrOverflow, "Overflow");
        if (rowCount > 0)
            requireMachineColumns(machine);
    });
    if (!read)
        return TakeoverResult::Failed;
    if (rowCount == 0)
        return TakeoverResult::Done;

    std::optional<Transaction> writes;
    std::optional<Statement> takeOver;
    // Shared with the function, which stays defined on the connection.
    auto pairs = std::make_shared<MachinePairs>();
    const bool ready = procedure.step([&] {
        checkConfiguredColumns(settings, work, procedure);
        writes.emplace(work);
        pacer.stage(600, 750, 0);
        work.defineFunction("preset_number", 1, Database::Purity::Deterministic, number);
        FirstRebuiltRows firstRows;
        firstRows.index(work);
        *pairs = pairMachineRows(machine, firstRows);
        work.defineFunction(
            "preset_paired", 1, Database::Purity::Deterministic,
            [pairs](std::span<const ValueView> arguments) { return pairs->paired(arguments); });
        work.defineFunction(
            "preset_taken_over", 2, Database::Purity::Deterministic,
            [pairs](std::span<const ValueView> arguments) { return pairs->takenOver(arguments); });
        takeOver = takeOverStatement(work);
    });
    if (!ready)
        return TakeoverResult::Failed;

    pacer.stage(750, 950, 0);
    std::vector<std::vector<Value>> unpaired;
    bool complete = procedure.step([&] {
        takeOver->run();
        unpaired = std::move(pairs->unpaired);
    });
    PresetTableReport& report = presets.report;
    if (complete)
        report.valuesTakenOver = std::size_t(rowCount) - unpaired.size();
    complete = procedure.step([&] { writes->commit(); }) && complete;
    procedure.step([&] {
        for (const auto& row : unpaired)
            report.dropped.push_back(droppedRow(row));
    });
    return complete ? TakeoverResult::Done : TakeoverResult::Failed;
}

} // namespace presetdb
