#pragma once
// /COMPARE folder: what differs between this installation and another one,
// read-only (neither is written; each is read under a shared lock by the
// caller for this one, here for the other).
//
// The other installation is named by its folder, or by its component folder
// (a folder named as this one's component folder inside the named one is
// taken). Both are loaded as a run loads them, and then listed, in the change
// report's form (IniFileChanges.h), this installation's value first:
//   button <n> changed:
//     <Key>: "this" -> "other"      for each stored field that differs but
//                                   WhereICome, (none) for an empty button
//   preset <machine_type>/<var_name>/<offset_or_bitno> changed:
//     <value>: "this" -> "other"    for each of abs_min, abs_max, min, max,
//                                   pass; a row only one side has is "added"
//                                   or "removed" with its values
// Preset rows are matched by the takeover's three keys (MachineCopyTakeover.h):
// texts without regard to letter case, the offset as a number.
//
// Exit status: 0 equal, 3 different, 1 when either cannot be read.

#include <ostream>

namespace engineering {

class ConfigurationRun;

inline constexpr int kExitInstallationsDiffer = 3;

int compareInstallations(ConfigurationRun& run, std::ostream& out);

} // namespace engineering
