#include "PresetRecords.h"

#include "framework/ErrorProtocol.h"
#include "framework/IniAccess.h"
#include "framework/InstallationPaths.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace presetdb {
namespace {

using framework::Failure;
using framework::Procedure;

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
std::size_t findPlaceholder(std::string_view text, std::string_view placeholder) {
    if (placeholder.size() > text.size())
        return std::string::npos;
    for (std::size_t start = 0; start + placeholder.size() <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < placeholder.size() && asciiUpper(text[start + i]) == asciiUpper(placeholder[i]))
            ++i;
        if (i == placeholder.size())
            return start;
    }
    return std::string::npos;
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

// Without a section "Project" (an empty, damaged or foreign .cfg) no machine
// is selected, by accident rather than by the engineer's choice.
void requireProjectSection(framework::ProgramState& program) {
    const std::string cfg = framework::GetCFGPath(program);
    if (!framework::loadIniDocument(cfg).hasSection("Project"))
        throw Failure(framework::ErrPathFileAccess,
                      "Section [Project] not found in '" + cfg + "': no machine can be selected");
}

bool isMachineSelected(framework::ProgramState& program, int machine,
                       const std::string& validMachines) {
    if (program.StartModeIntegrated) {
        const std::string valid = framework::upperCase(validMachines);
        return valid == "ALL" || valid.find(framework::upperCase(framework::existingMachine(
                                     program, std::size_t(machine)))) != std::string::npos;
    }
    return framework::LoadIniBoolean(program, "Project", "ForMachine" + std::to_string(machine),
                                     framework::GetCFGPath(program));
}

// The variable names of the rows being written, built by the SQL function
// "preset_variable_name" (the template's name, the row's part): called once
// per row in row order, it notes every failure and every pair of names, so
// that they are reported and replaced in the previous database in the order
// the rows were written.
class VariableNames {
public:
    VariableNames(const PresetState& presets, std::string machine, bool hasPartColumn)
        : templates_(presets.VarNameTemplates), system_(std::size_t(presets.VWStudioProject)),
          machine_(std::move(machine)), hasPartColumn_(hasPartColumn) {}

    // A failure or the names for both systems, in row order.
    struct Event {
        std::optional<Failure> failure;
        std::array<std::string, kSystemCount> names;
    };
    const std::vector<Event>& events() const { return events_; }

    Value nameFor(const Value& templateName, const Value& part) {
        if (!templateName.isText())
            return templateName;
        try {
            auto names = build(templateName.text(), part);
            Value name(names.at(system_));
            events_.push_back({std::nullopt, std::move(names)});
            return name;
        } catch (const Failure& failure) {
            events_.push_back({failure, {}});
            return Value(); // the value stays null
        }
    }

private:
    std::array<std::string, kSystemCount> build(const std::string& templateName,
                                                const Value& part) const {
        if (!hasPartColumn_)
            throw Failure(framework::ErrDatabase, "Item not found in this collection. (part)");
        const int index = toInt16(part);
        if (index < 1 || index > int(kPartCount))
            throw Failure(framework::ErrSubscriptOutOfRange, "Subscript out of range");
        std::array<std::string, kSystemCount> names;
        for (std::size_t system = 0; system < kSystemCount; ++system) {
            std::string name = replacePlaceholder(templates_[system][std::size_t(index - 1)],
                                                  kVarNamePlaceholder, templateName);
            name = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
            names[system] = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
        }
        return names;
    }

    decltype(PresetState::VarNameTemplates) templates_;
    std::size_t system_;
    std::string machine_;
    bool hasPartColumn_;
    std::vector<Event> events_;
};

// Text values with the machine name for their first placeholder; other
// values as they are. Arguments: the value, the machine name.
Value machineText(std::span<const Value> arguments) {
    const Value& value = arguments[0];
    if (!value.isText())
        return value;
    return Value(replacePlaceholder(value.text(), kMachinePlaceholder, arguments[1].text()));
}

// INSERT ... SELECT of the template rows, "ID" numbered from 1 in template
// order, every other column copied by position through the functions. The
// variable name reads "part" from the row being written: the new "ID" when
// "part" is the first column, its value when it stands before "var_name",
// null when it follows.
std::string fillStatement(const std::vector<ColumnDefinition>& columns) {
    std::optional<std::size_t> part;
    for (std::size_t j = 0; j < columns.size() && !part; ++j)
        if (framework::equalsIgnoreCase(columns[j].name, "part"))
            part = j;
    const std::string rowNumber = "row_number() OVER ()";
    std::string select = rowNumber;
    for (std::size_t j = 1; j < columns.size(); ++j) {
        const std::string column = quoteIdentifier(columns[j].name);
        if (framework::upperCase(columns[j].name) != "VAR_NAME") {
            select += ", preset_machine_text(" + column + ", ?1)";
            continue;
        }
        std::string partValue = "NULL";
        if (part == 0u)
            partValue = rowNumber;
        else if (part && *part < j)
            partValue = "preset_machine_text(" + quoteIdentifier(columns[*part].name) + ", ?1)";
        select += ", preset_variable_name(" + column + ", " + partValue + ")";
    }
    return "INSERT INTO PRESET_DEFS SELECT " + select + " FROM (" + std::string(kTemplateQuery) +
           ")";
}

} // namespace

bool CreateRecordSets(framework::ProgramState& program, const PresetState& presets, Database& work,
                      PreviousDatabase& previous, Pacer& pacer) {
    Procedure procedure(program, "CreateRecordSets");
    std::string validMachines;
    std::int64_t rowCount = 0;
    const bool ready = procedure.step([&] {
        requireProjectSection(program);
        validMachines = framework::GetValidMachines(program);
        Statement count =
            work.prepare("SELECT count(*) FROM (" + std::string(kTemplateQuery) + ")");
        count.step();
        rowCount = count.column(0).integer();
        if (rowCount > 32767)
            throw Failure(framework::ErrOverflow, "Overflow");
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
    std::string machineName;
    if (complete)
        step([&] { selected = isMachineSelected(program, kMachine, validMachines); });
    if (selected)
        step([&] { machineName = framework::existingMachine(program, std::size_t(kMachine)); });
    if (selected && complete) {
        pacer.stage(50, 600, 0);
        // Shared with the function, which stays defined on the connection.
        std::shared_ptr<VariableNames> names;
        step([&] {
            const std::vector<ColumnDefinition> columns = work.columns("PRESET_DEFS");
            const bool hasPart = std::any_of(columns.begin(), columns.end(), [](const auto& c) {
                return framework::equalsIgnoreCase(c.name, "part");
            });
            names = std::make_shared<VariableNames>(presets, machineName, hasPart);
            work.defineFunction("preset_machine_text", 2, Database::Purity::Deterministic,
                                machineText);
            work.defineFunction("preset_variable_name", 2, Database::Purity::HasEffects,
                                [names](std::span<const Value> arguments) {
                                    return names->nameFor(arguments[0], arguments[1]);
                                });
            Statement fill = work.prepare(fillStatement(columns));
            fill.bind(1, Value(machineName));
            fill.run();
        });
        // What building the names met, in row order: failures are reported as
        // the rows' own, and the previous database gets the names.
        if (names)
            for (const VariableNames::Event& event : names->events()) {
                if (event.failure)
                    step([&] { throw *event.failure; });
                else
                    VarNameInQuelleErsetzen(program, presets, previous, event.names[0],
                                            event.names[1]);
            }
    }

    if (workWrites)
        step([&] { workWrites->commit(); });
    if (previousWrites)
        step([&] { previousWrites->commit(); });
    return complete;
}

void VarNameInQuelleErsetzen(framework::ProgramState& program, const PresetState& presets,
                             PreviousDatabase& previous, const std::string& name32,
                             const std::string& nameStudio) {
    Procedure procedure(program, "VarNameInQuelleErsetzen");
    procedure.step([&] {
        if (presets.VWStudioProject == 1)
            previous.renameVariable(name32, nameStudio);
        else
            previous.renameVariable(nameStudio, name32);
    });
}

void CategorieNachCategoryID(framework::ProgramState& program, PreviousDatabase& previous) {
    Procedure procedure(program, "CategorieNachCategoryID");
    if (!previous.isOpen())
        return;
    procedure.step([&] {
        Database& database = previous.database();
        for (const ColumnDefinition& column : database.columns("PRESET_DEFS"))
            if (framework::upperCase(column.name) == "CATEGORIE")
                database.renameColumn("PRESET_DEFS", column.name, "category_id");
    });
}

} // namespace presetdb
