#pragma once
// The takeover of the values set on the machine.
//
// TakeoverMachineCopyMDBData copies "abs_min", "abs_max", "min", "max" and
// "pass" (null included) of every row of the machine's PRESET_DEFS into the
// rebuilt PRESET_DEFS of the work database, in one UPDATE. Both
// tables need only the three keys and the five values: other columns
// ("category_id", or a legacy "Categorie") are neither read nor required.
//  - A row is the same parameter when "machine_type", "var_name" (texts,
//    letter case ignored) and "offset_or_bitno" (as a number) are equal; a
//    null key equals a null key (SQL's IS) and nothing else, while a blob or
//    a non-numeric offset matches nothing. Of several matching rebuilt rows
//    the first in "ID" order (table order without an "ID" column) gets the
//    values; when two machine rows have the same keys the later one wins.
//    Machine rows without a counterpart are dropped: presets.report counts
//    the rows taken over and lists every dropped row with its keys and
//    values, so that no value set on the machine disappears unseen.
//  - More than 15 machine columns while no additional field is configured
//    (settings.AdditionalFields empty): the
//    lost-columns warning (logged in a silent run; otherwise a question whose
//    No ends the program with error 9999).
//  - A configured column missing from the rebuilt table (exact letter case,
//    not the first column) ends the program with error 9999, before anything
//    is taken over.
//  - An empty machine table takes nothing over and is no failure.
//  - The machine's table is read through the work database's connection, from
//    a copy attached to it; the values are written in one transaction,
//    committed when the procedure ends.
//  - Any failure to read the machine's values or to write them into the
//    rebuilt table is reported and makes the result Failed: the rebuilt
//    table then lacks values set on the machine.

#include "Database.h"
#include "PresetSettings.h"
#include "PresetState.h"
#include "UpdateObserver.h"

#include <string>
#include <vector>

namespace run {
class ProgramState;
}

namespace presetdb {

enum class TakeoverResult {
    Done,  // taken over, or nothing to take over
    Failed // values could not be read or written; a failure was reported
};

// machine: the database whose PRESET_DEFS holds the values set on the machine.
TakeoverResult TakeoverMachineCopyMDBData(run::ProgramState& program,
                                          const PresetSettings& settings, PresetState& presets,
                                          Database& work, Database& machine, Pacer& pacer);

} // namespace presetdb
