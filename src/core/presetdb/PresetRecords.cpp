#include "PresetRecords.h"

#include "Recordset.h"

#include "framework/ErrorProtocol.h"
#include "framework/IniAccess.h"
#include "framework/InstallationPaths.h"
#include "framework/ProfileFiles.h"
#include "framework/ProgramState.h"
#include "framework/Text.h"

#include <array>
#include <optional>

namespace presetdb {
namespace {

using framework::Failure;
using framework::Procedure;

constexpr std::string_view kTemplateQuery =
    "SELECT Source_PRESET_DEFS.* From Source_PRESET_DEFS ORDER BY Source_PRESET_DEFS.ID";
constexpr std::string_view kMachinePlaceholder = "###machine";
constexpr std::string_view kVarNamePlaceholder = "###Var_Name";
constexpr int kMachineCount = 1; // only machine 1 is ever processed

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

// Writes the template rows for one machine into the destination.
class MachineRowWriter {
public:
    MachineRowWriter(framework::ProgramState& program, const PresetState& presets,
                     Recordset& templates, Recordset& destination, PreviousDatabase& previous,
                     std::string machine)
        : program_(program), presets_(presets), templates_(templates), destination_(destination),
          previous_(previous), machine_(std::move(machine)),
          partField_(destination.findField("part")) {
        for (int j = 0; j < destination.fieldCount(); ++j)
            isVarName_.push_back(framework::upperCase(destination.fieldName(j)) == "VAR_NAME");
    }

    // The value of destination column j of the row being built from the current template row.
    Value valueFor(int j) const {
        const Value& value = templates_.value(j);
        if (!value.isText())
            return value;
        if (isVarName_[std::size_t(j)])
            return Value(variableName(value.text()));
        return Value(replacePlaceholder(value.text(), kMachinePlaceholder, machine_));
    }

private:
    std::string variableName(const std::string& templateName) const {
        if (!partField_)
            throw Failure(framework::ErrDatabase, "Item not found in this collection. (part)");
        const int part = toInt16(destination_.value(*partField_));
        if (part < 1 || part > int(kPartCount))
            throw Failure(framework::ErrSubscriptOutOfRange, "Subscript out of range");
        const PresetState& state = presets_;
        std::array<std::string, kSystemCount> names;
        for (std::size_t system = 0; system < kSystemCount; ++system) {
            std::string name =
                replacePlaceholder(state.VarNameTemplates[system][std::size_t(part - 1)],
                                   kVarNamePlaceholder, templateName);
            name = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
            names[system] = replacePlaceholder(std::move(name), kMachinePlaceholder, machine_);
        }
        VarNameInQuelleErsetzen(program_, presets_, previous_, names[0], names[1]);
        return names.at(std::size_t(state.VWStudioProject));
    }

    framework::ProgramState& program_;
    const PresetState& presets_;
    Recordset& templates_;
    Recordset& destination_;
    PreviousDatabase& previous_;
    std::string machine_;
    std::optional<int> partField_;
    std::vector<bool> isVarName_;
};

} // namespace

bool CreateRecordSets(framework::ProgramState& program, const PresetState& presets, Database& work,
                      PreviousDatabase& previous, Pacer& pacer) {
    Procedure procedure(program, "CreateRecordSets");
    std::string validMachines;
    std::optional<Recordset> destination;
    std::optional<Recordset> templates;
    std::size_t rowCount = 0;
    const bool ready = procedure.step([&] {
        requireProjectSection(program);
        validMachines = framework::GetValidMachines(program);
        destination = Recordset::openTable(work, "PRESET_DEFS");
        templates = Recordset::openQuery(work, kTemplateQuery);
        if (templates->recordCount() > 32767)
            throw Failure(framework::ErrOverflow, "Overflow");
        rowCount = templates->recordCount();
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
    // Every failed step leaves a row unwritten or written incompletely.
    const auto step = [&](auto&& body) { complete = procedure.step(body) && complete; };

    int id = 1;
    for (int machine = 1; complete && machine <= kMachineCount; ++machine) {
        bool selected = false;
        std::string machineName;
        step([&] { selected = isMachineSelected(program, machine, validMachines); });
        if (!selected)
            continue;
        step([&] { machineName = framework::existingMachine(program, std::size_t(machine)); });
        if (!complete)
            continue;

        MachineRowWriter writer(program, presets, *templates, *destination, previous, machineName);
        const int columnCount = destination->fieldCount();
        pacer.stage(50, 600, rowCount);
        for (std::size_t row = 0; row < rowCount; ++row) {
            step([&] {
                templates->move(row);
                destination->addNew();
                destination->setValue(0, Value(id));
            });
            ++id;
            for (int j = 1; j < columnCount; ++j) {
                pacer.tick(row);
                step([&] { destination->setValue(j, writer.valueFor(j)); });
            }
            step([&] { destination->update(); });
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
