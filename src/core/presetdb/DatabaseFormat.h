#pragma once
// What kind of database a file holds, told by its first bytes, never by its
// name: the installation's databases are named ".mdb" whether they are
// SQLite files or Access (Jet) files.

#include <string>
#include <string_view>

namespace presetdb {

enum class DatabaseFormat {
    Missing, // no file there (a hidden file counts as missing)
    SQLite,  // "SQLite format 3" and a NUL byte
    Jet3,    // Access 97 and earlier
    Jet4,    // Access 2000 to 2003
    Ace,     // Access 2007 and later (.accdb), read like Jet 4
    Unknown, // any other file, an empty one included
};

// A file that exists but cannot be read is a failure (run::Failure,
// ErrDatabase), never Missing: the program reports it and leaves it alone.
DatabaseFormat databaseFormatOf(const std::string& path);
// The same, told by a file's bytes read from its start.
DatabaseFormat databaseFormatOfBytes(std::string_view firstBytes);

// "SQLite", "Access (Jet 3)", ... for messages.
const char* databaseFormatName(DatabaseFormat format);

inline bool isAccessFormat(DatabaseFormat format) {
    return format == DatabaseFormat::Jet3 || format == DatabaseFormat::Jet4 ||
           format == DatabaseFormat::Ace;
}

} // namespace presetdb
