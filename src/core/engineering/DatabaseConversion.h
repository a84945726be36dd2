#pragma once
// /CONVERT: the component's Access databases (the source database and the
// panel's database, whichever are Access files) converted to SQLite as one
// run: staged and replaced together through the run's journal, the Access
// files kept in its backup folder (so /RESTORE puts them back), named by the
// change report and --json ("converted"). The source database keeps its file
// times, as the preset update keeps them. No preset update, no function files.
//
// The program never writes Access files: once converted, the databases are
// SQLite files, which the panel's run time must read.
//
// With no Access database (both SQLite, or missing) it says so on out, writes
// nothing and ends with status 0. A database that cannot be converted whole
// (a table not read completely) ends the run with status 1, the message
// naming the file and table; nothing is converted then, the other database
// neither.

#include <ostream>

namespace engineering {

class ConfigurationRun;

// The exit status: 0 done (or nothing to convert), 1 nothing converted
// because of a failure.
int convertDatabases(ConfigurationRun& run, std::ostream& out);

} // namespace engineering
