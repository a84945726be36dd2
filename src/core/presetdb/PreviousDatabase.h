#pragma once
// The previous target database during one preset update: the component's
// database as it was before this run (in an integrated run, the machine copy).
// One connection serves the whole update: the legacy column rename, every
// variable-name replacement and the takeover's reading. The update opens it
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

private:
    enum class IndexState { NotBuilt, Ready, Unusable };
    void buildIndex();

    std::optional<Database> database_;
    IndexState indexState_ = IndexState::NotBuilt;
    // Row id and current name of every row with a text name, by position.
    std::vector<std::int64_t> rowids_;
    std::vector<std::string> names_;
    std::unordered_map<std::string, std::vector<std::size_t>> positionsByName_;
    std::optional<Statement> rename_;
};

} // namespace presetdb
