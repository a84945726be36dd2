#pragma once
// The preset records per machine.
//
// CreateRecordSets fills the freshly built PRESET_DEFS of the work database
// with one copy of every template row of Source_PRESET_DEFS (in "ID" order)
// per selected machine; only machine 1 is ever processed. "ID" is numbered
// anew from 1; the other columns are copied by position, and every text
// value gets the machine name for its first "###machine" (found without
// regard to letter case). A text "var_name" is built instead from the
// VarNameTemplates entry of the row's system and "part" (which must stand
// before "var_name"): "###Var_Name" becomes the template's name, then up to
// two "###machine" become the machine name; the previous database's rows that
// carry the other system's name get this one (VarNameInQuelleErsetzen).
//
// Machine 1 is selected in an integrated run when the .cfg's "ValidMachines"
// is "ALL" or contains the machine's name anywhere (letter case ignored, a
// plain substring: M1 is found in M10); otherwise when "ForMachine1" of
// section "Project" reads true (PresetSettings.h). A selected machine without
// a name is a subscript failure.
//
// A .cfg without a section "Project" selects nothing by accident: that is a
// failure. More than 32767 template rows is an overflow failure. A value that
// cannot be built (a "part" that is null or outside 1 to 50) is reported and
// left null; the row is still written, but it counts as not stored. The rows
// are written in one transaction per database, committed when the procedure
// ends.
//
// CategorieNachCategoryID renames the legacy column "Categorie" (any letter
// case) of the previous database's PRESET_DEFS to "category_id".

#include "Database.h"
#include "PresetSettings.h"
#include "PresetState.h"
#include "PreviousDatabase.h"
#include "UpdateObserver.h"

#include <string>

namespace run {
class ProgramState;
}

namespace presetdb {

// True only when every template row was stored whole and committed for every
// selected machine (or there was nothing to store). False after any reported
// failure: the rebuilt table then must not replace the panel's database.
bool CreateRecordSets(run::ProgramState& program, const PresetSettings& settings,
                      const PresetState& presets, Database& work, PreviousDatabase& previous,
                      Pacer& pacer);

void VarNameInQuelleErsetzen(run::ProgramState& program, const PresetSettings& settings,
                             PreviousDatabase& previous, const std::string& name32,
                             const std::string& nameStudio);

void CategorieNachCategoryID(run::ProgramState& program, PreviousDatabase& previous);

} // namespace presetdb
