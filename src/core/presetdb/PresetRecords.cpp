#include "PresetRecords.h"

#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"
#include "run/ProgramState.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace presetdb {
namespace {

using run::Failure;
using run::Procedure;

constexpr std::string_view kTemplateQuery =
    "SELECT Source_PRESET_DEFS.* From Source_PRESET_DEFS ORDER BY Source_PRESET_DEFS.ID";
constexpr std::string_view kMachinePlaceholder = "###machine";
constexpr std::string_view kVarNamePlaceholder = "###Var_Name";
constexpr int kMachine = 1; // only machine 1 is ever processed

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Position of an ASCII placeholder in a UTF-8 text, letter case ignored. The
// same position that searching the upper-cased text finds: no other letter
// folds to an ASCII one, and bytes of multi-byte characters are never ASCII.
// A placeholder begins with '#', which has no letter case.
// Most placeholders are written as they are spelt here, which a plain
// comparison finds first.
std::size_t findPlaceholder(std::string_view text, std::string_view placeholder) {
    for (std::size_t start = text.find(placeholder[0]);
         start != std::string_view::npos && placeholder.size() <= text.size() - start;
         start = text.find(placeholder[0], start + 1)) {
        const std::string_view candidate = text.substr(start, placeholder.size());
        if (candidate == placeholder ||
            std::equal(placeholder.begin() + 1, placeholder.end(), candidate.begin() + 1,
                       [](char p, char t) { return asciiUpper(t) == asciiUpper(p); }))
            return start;
    }
    return std::string_view::npos;
}

// The first occurrence of a placeholder, found without regard to letter case,
// replaced.
std::string replacePlaceholder(std::string text, std::string_view placeholder,
                               std::string_view replacement) {
    const auto found = findPlaceholder(text, placeholder);
    if (found != std::string::npos)
        text.replace(found, placeholder.size(), replacement);
    return text;
}

// Without a section "Project" no machine is selected, by accident rather
// than by the engineer's choice.
void requireProjectSection(const PresetSettings& settings) {
    if (!settings.hasProjectSection)
        throw Failure(run::ErrPathFileAccess, "Section [Project] not found in '" +
                                                  settings.runtimeConfiguration +
                                                  "': no machine can be selected");
}

// Name of machine i (from 1); a subscript failure when there is no such machine.
const std::string& machineName(const PresetSettings& settings, std::size_t i) {
    if (i < 1 || i > settings.machines.size())
        throw Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
    return settings.machines[i - 1];
}

// Only machine 1 is ever asked for: the settings hold its "ForMachine1".
bool isMachineSelected(const PresetSettings& settings, int machine) {
    if (settings.integrated) {
        const std::string valid = platform::upperCase(settings.validMachines);
        return valid == "ALL" ||
               valid.find(platform::upperCase(machineName(settings, std::size_t(machine)))) !=
                   std::string::npos;
    }
    return settings.forMachine1;
}

// Where the variable name finds the row's part: "part" must stand before
// "var_name", as the value is read from the row being written.
enum class PartSource {
    Column,    // "part" stands before "var_name"
    RowNumber, // "part" is the first column, which holds the new "ID"
    Unwritten, // "part" follows "var_name": still null
    Missing    // there is no "part"
};

// The rows being written, as the functions of the INSERT see them, one row
// after the other in row order: "preset_row_number()" numbers them, and
// "preset_variable_name(name, part)" builds each variable name and notes
// every failure and every pair of names, so that they are reported and
// replaced in the previous database in the order the rows were written.
class RowsBeingWritten {
public:
    RowsBeingWritten(const PresetSettings& settings, const PresetState& presets,
                     std::string machine, PartSource part, std::size_t rowCount)
        : system_(std::size_t(settings.VWStudioProject)), machine_(std::move(machine)),
          part_(part) {
        for (std::size_t system = 0; system < kSystemCount; ++system)
            for (std::size_t index = 0; index < kPartCount; ++index) {
                const std::string& text = presets.VarNameTemplates[system][index];
                templates_[system][index] = {text, findPlaceholder(text, kVarNamePlaceholder)};
            }
        events_.reserve(rowCount);
    }

    // A failure or the names for both systems, in row order.
    struct Event {
        std::optional<Failure> failure;
        std::array<std::string, kSystemCount> names;
    };
    const std::vector<Event>& events() const { return events_; }

    Value nextRowNumber() { return Value(++rowNumber_); }

    // The variable name of a text template name.
    Value nameFor(std::string_view templateName, const ValueView& part) {
        try {
            auto names = build(templateName, part);
            Value name(names.at(system_));
            events_.push_back({std::nullopt, std::move(names)});
            return name;
        } catch (const Failure& failure) {
            events_.push_back({failure, {}});
            return Value(); // the value stays null
        }
    }

private:
    // A name template with the position of its first "###Var_Name".
    struct Template {
        std::string text;
        std::size_t varNameAt = std::string::npos;
    };

    std::array<std::string, kSystemCount> build(std::string_view templateName,
                                                const ValueView& part) const {
        if (part_ == PartSource::Missing)
            throw Failure(run::ErrDatabase, "Item not found in this collection. (part)");
        const int index = toInt16(part_ == PartSource::RowNumber ? Value(rowNumber_)
                                  : part_ == PartSource::Column  ? Value(part)
                                                                 : Value());
        if (index < 1 || index > int(kPartCount))
            throw Failure(run::ErrSubscriptOutOfRange, "Subscript out of range");
        std::array<std::string, kSystemCount> names;
        for (std::size_t system = 0; system < kSystemCount; ++system) {
            const Template& found = templates_[system][std::size_t(index - 1)];
            std::string name = found.text;
            if (found.varNameAt != std::string::npos)
                name.replace(found.varNameAt, kVarNamePlaceholder.size(), templateName);
            name = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
            names[system] = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
        }
        return names;
    }

    std::array<std::array<Template, kPartCount>, kSystemCount> templates_;
    std::size_t system_;
    std::string machine_;
    PartSource part_;
    std::int64_t rowNumber_ = 0;
    std::vector<Event> events_;
};

// "preset_machine_text(text, machine)": the text with the machine name for
// its first placeholder.
Value machineText(std::span<const ValueView> arguments) {
    return Value(replacePlaceholder(std::string(arguments[0].bytes), kMachinePlaceholder,
                                    arguments[1].bytes));
}

// The first column named "part", if any.
std::optional<std::size_t> partColumn(const std::vector<ColumnDefinition>& columns) {
    for (std::size_t j = 0; j < columns.size(); ++j)
        if (platform::equalsIgnoreCase(columns[j].name, "part"))
            return j;
    return std::nullopt;
}

PartSource partSource(const std::vector<ColumnDefinition>& columns) {
    const auto part = partColumn(columns);
    if (!part)
        return PartSource::Missing;
    if (*part == 0)
        return PartSource::RowNumber;
    for (std::size_t j = 1; j < *part; ++j)
        if (platform::upperCase(columns[j].name) == "VAR_NAME")
            return PartSource::Unwritten;
    return PartSource::Column;
}

// How the fill finds the template rows in "ID" order.
enum class TemplateOrder {
    AsStored,     // table order is "ID" order already
    SortedRowids, // the row ids sorted by "ID", each row looked up
    SortedRows    // a table WITHOUT ROWID: the rows themselves sorted
};

// INSERT ... SELECT of the template rows in "ID" order: "ID" numbered from 1,
// every other column copied by position, texts with the machine's name.
std::string fillStatement(const std::vector<ColumnDefinition>& columns, TemplateOrder order) {
    const auto value = [&](std::size_t j) {
        return "preset_machine_text(t." + quoteIdentifier(columns[j].name) + ", ?1)";
    };
    const auto part = partColumn(columns);
    std::string select = "preset_row_number()";
    for (std::size_t j = 1; j < columns.size(); ++j) {
        if (platform::upperCase(columns[j].name) != "VAR_NAME") {
            select += ", " + value(j);
            continue;
        }
        const std::string partValue = part && *part > 0 && *part < j ? value(*part) : "NULL";
        select +=
            ", preset_variable_name(t." + quoteIdentifier(columns[j].name) + ", " + partValue + ")";
    }
    // The rows are numbered and written in "ID" order. Where there are row
    // ids, only they are sorted: CROSS JOIN keeps the sorted ids in the outer
    // loop. LIMIT keeps SQLite from dropping the ORDER BY of a subquery.
    // Rows in "ID" order already are read in table order, with no sort.
    std::string from;
    switch (order) {
    case TemplateOrder::AsStored:
        from = "Source_PRESET_DEFS AS t ORDER BY t._rowid_";
        break;
    case TemplateOrder::SortedRowids:
        from = "(SELECT _rowid_ AS row FROM Source_PRESET_DEFS ORDER BY ID, _rowid_ LIMIT -1) AS o "
               "CROSS JOIN Source_PRESET_DEFS AS t ON t._rowid_ = o.row";
        break;
    case TemplateOrder::SortedRows:
        from = "(SELECT * FROM Source_PRESET_DEFS ORDER BY ID LIMIT -1) AS t";
        break;
    }
    return "INSERT INTO PRESET_DEFS SELECT " + select + " FROM " + from;
}

// Whether two names are equal as SQLite's NOCASE has it: ASCII letters
// without regard to case, every other byte as it is.
bool sameNameNoCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return fold(x) == fold(y); });
}

// False for a table WITHOUT ROWID. The pragma's own rows are read: a query
// over its table-valued form costs several times as much to prepare.
bool hasRowids(Database& work, std::string_view table) {
    constexpr int kName = 1;
    constexpr int kWithoutRowid = 4;
    Statement tables = work.prepare("PRAGMA main.table_list");
    while (tables.step())
        if (sameNameNoCase(tables.view(kName).bytes, table))
            return tables.view(kWithoutRowid).integer == 0;
    return true;
}

// True when table order is "ID" order: every "ID" an integer, none smaller
// than the one before. Templates are kept so nearly always, and reading
// the ids once costs far less than sorting the rows and looking each up.
bool storedInIdOrder(Database& work) {
    Statement ids = work.prepare("SELECT ID FROM Source_PRESET_DEFS ORDER BY _rowid_");
    std::optional<std::int64_t> last;
    while (ids.step()) {
        const ValueView id = ids.view(0);
        if (id.kind != ValueKind::Integer || (last && id.integer < *last))
            return false;
        last = id.integer;
    }
    return true;
}

TemplateOrder templateOrder(Database& work) {
    if (!hasRowids(work, "Source_PRESET_DEFS"))
        return TemplateOrder::SortedRows;
    return storedInIdOrder(work) ? TemplateOrder::AsStored : TemplateOrder::SortedRowids;
}

} // namespace

bool CreateRecordSets(run::ProgramState& program, const PresetSettings& settings,
                      const PresetState& presets, Database& work, PreviousDatabase& previous,
                      Pacer& pacer) {
    Procedure procedure(program, "CreateRecordSets");
    std::int64_t rowCount = 0;
    const bool ready = procedure.step([&] {
        requireProjectSection(settings);
        work.prepare(kTemplateQuery); // the rows must be readable in "ID" order
        Statement count = work.prepare("SELECT count(*) FROM Source_PRESET_DEFS");
        count.step();
        rowCount = count.column(0).integer();
        if (rowCount > 32767)
            throw Failure(run::ErrOverflow, "Overflow");
    });
    if (!ready)
        return false;
    if (rowCount == 0)
        return true;

    // One transaction per database for all rows; the previous database's
    // writes are the variable-name replacements.
    std::optional<Transaction> workWrites;
    std::optional<Transaction> previousWrites;
    bool complete = procedure.step([&] {
        workWrites.emplace(work);
        if (previous.isOpen())
            previousWrites.emplace(previous.database());
    });
    // Every failed step leaves rows unwritten or written incompletely.
    const auto step = [&](auto&& body) { complete = procedure.step(body) && complete; };

    bool selected = false;
    std::string machine;
    if (complete)
        step([&] { selected = isMachineSelected(settings, kMachine); });
    if (selected)
        step([&] { machine = machineName(settings, std::size_t(kMachine)); });
    if (selected && complete) {
        pacer.stage(50, 600, 0);
        // Shared with the functions, which stay defined on the connection.
        std::shared_ptr<RowsBeingWritten> rows;
        step([&] {
            const std::vector<ColumnDefinition> columns = work.columns("PRESET_DEFS");
            rows = std::make_shared<RowsBeingWritten>(settings, presets, machine,
                                                      partSource(columns), std::size_t(rowCount));
            work.defineFunction("preset_machine_text", 2, Database::Purity::Deterministic,
                                machineText, Database::Arguments::TextFirst,
                                kMachinePlaceholder[0]);
            work.defineFunction(
                "preset_row_number", 0, Database::Purity::HasEffects,
                [rows](std::span<const ValueView>) { return rows->nextRowNumber(); });
            work.defineFunction(
                "preset_variable_name", 2, Database::Purity::HasEffects,
                [rows](std::span<const ValueView> arguments) {
                    return rows->nameFor(arguments[0].bytes, arguments[1]);
                },
                Database::Arguments::TextFirst);
            Statement fill = work.prepare(fillStatement(columns, templateOrder(work)));
            fill.bind(1, Value(machine));
            fill.run();
        });
        // What building the names met, in row order: failures are reported as
        // the rows' own, and the previous database gets the names.
        if (rows)
            for (const RowsBeingWritten::Event& event : rows->events()) {
                if (event.failure)
                    step([&] { throw *event.failure; });
                else
                    VarNameInQuelleErsetzen(program, settings, previous, event.names[0],
                                            event.names[1]);
            }
    }

    if (workWrites)
        step([&] { workWrites->commit(); });
    if (previousWrites)
        step([&] { previousWrites->commit(); });
    return complete;
}

void VarNameInQuelleErsetzen(run::ProgramState& program, const PresetSettings& settings,
                             PreviousDatabase& previous, const std::string& name32,
                             const std::string& nameStudio) {
    Procedure procedure(program, "VarNameInQuelleErsetzen");
    procedure.step([&] {
        if (settings.VWStudioProject == 1)
            previous.renameVariable(name32, nameStudio);
        else
            previous.renameVariable(nameStudio, name32);
    });
}

void CategorieNachCategoryID(run::ProgramState& program, PreviousDatabase& previous) {
    Procedure procedure(program, "CategorieNachCategoryID");
    if (!previous.isOpen())
        return;
    procedure.step([&] {
        Database& database = previous.database();
        for (const ColumnDefinition& column : database.columns("PRESET_DEFS"))
            if (platform::upperCase(column.name) == "CATEGORIE")
                previous.renameColumn("PRESET_DEFS", column.name, "category_id");
    });
}

} // namespace presetdb
