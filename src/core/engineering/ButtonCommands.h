#pragma once
// The commands on the stored button set of one installation, for a fleet of
// panels set up alike:
//
//  - listButtons (/LIST [file]): the 48 buttons as the next run shows them
//    (ButtonTable.h): as text on standard output (standard error with
//    --json, whose summary stands alone there), or into the file, as CSV when
//    its name ends in ".csv" (any case), else as the text.
//  - exportButtons (/EXPORT file): the buttons that differ from the
//    catalogue into an export file (ButtonExport.h).
//  - importButtons (/IMPORT file [/KEEPSYMBOLS]): one run like a silent one,
//    whose buttons are first replaced by those of the export file, each by
//    its SpecialKey (marked "EngineeringPicture", keeping whether it was a
//    standard one; with /KEEPSYMBOLS a button whose symbol is missing here
//    keeps the one it has); then the closing sequence, preset update
//    included. A file refused for any reason (all are listed) ends the run
//    with status 1 before anything is staged.
//
// listButtons and exportButtons only read the installation: the run loads
// and nothing it staged is ever replaced. A file that cannot be written ends
// them with status 1 and the reason on the run's last failure.

namespace engineering {

class ConfigurationRun;

int listButtons(ConfigurationRun& run);
int exportButtons(ConfigurationRun& run);
int importButtons(ConfigurationRun& run);

} // namespace engineering
