#pragma once
// The previous target database during one preset update: the component's
// database as it was before this run (in an integrated run, the machine copy).
// One connection serves the legacy column rename and every variable-name
// replacement; the takeover reads the result, and while nothing was renamed
// the change report reads it as the database before the run. The update opens it
// as a copy in memory, so these changes never reach the file.
//
// Variable-name replacement: rows of its PRESET_DEFS whose "var_name" text
// equals a name, without regard to letter case, get another name. The rows
// are indexed by their upper-cased name once, on the first replacement, so a
// replacement touches only the rows it renames; the index follows every
// rename, so each replacement sees the names the earlier ones left. A table
// that cannot be indexed (no PRESET_DEFS, no var_name column) fails the first
// replacement only; the later ones then find nothing to rename.

#include "Database.h"
#include "KeyStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace presetdb {

class PreviousDatabase {
public:
    // There is no previous database.
    PreviousDatabase() = default;
    explicit PreviousDatabase(Database database) : database_(std::move(database)) {}

    bool isOpen() const { return database_.has_value(); }
    Database& database() { return database_.value(); }
    // Releases the connection; pending writes must have been committed.
    void close();

    // Renames the matching rows at once (within the caller's transaction, if any).
    void renameVariable(std::string_view oldName, std::string_view newName);
    // Renames a column of a table.
    void renameColumn(std::string_view table, std::string_view oldName, std::string_view newName);
    // Whether a rename changed it since it was read.
    bool changed() const { return changed_; }

private:
    enum class IndexState { NotBuilt, Ready, Unusable };
    static constexpr std::size_t kNone = std::size_t(-1);
    // A row with a text name, and the next row of the same upper-cased name.
    struct NamedRow {
        std::int64_t rowid;
        std::size_t nextOfName;
    };
    // Rows of one name: the first, each row's nextOfName, the last.
    struct Chain {
        std::size_t first;
        std::size_t last;
    };
    void buildIndex();
    // Appends a chain of rows to the rows of key.
    void link(std::string_view key, Chain chain);

    std::optional<Database> database_;
    bool changed_ = false;
    IndexState indexState_ = IndexState::NotBuilt;
    std::vector<NamedRow> rows_;
    std::unordered_map<std::string_view, Chain> chainByName_; // keys in names_
    KeyStore names_;
    // The names looked up and given, upper-cased, in room kept for the next.
    std::string lookup_;
    std::string given_;

    std::optional<Statement> rename_;
};

} // namespace presetdb
