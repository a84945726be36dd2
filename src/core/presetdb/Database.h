#pragma once
// The preset databases: SQLite 3 files that keep the names the installation
// gives them (Engineering_Source.mdb, Engineering.mdb).
//
// Rules of this layer:
//  - Opening never creates a file. A missing file, or a file that does not
//    begin with the SQLite header or whose schema cannot be read, is a failure
//    whose description names the file. Database::create makes a new file and
//    is meant for tools and tests.
//  - Paths go through platform::nativePath (backslashes, letter case).
//  - Every failing operation throws run::Failure (number ErrDatabase)
//    with SQLite's message and the file name, so the calling procedure's step
//    reports it.
//  - Values are bound as parameters, never pasted into SQL text. Table and
//    column names that must appear in SQL are quoted by quoteIdentifier, and
//    a quoted name is always a name: one that names no column is an error,
//    never taken for a text constant.
//  - Column definitions are a column's name and its declared type text
//    exactly as written in the table ("TEXT(50)", "INTEGER", "DOUBLE"), so a
//    copied table keeps types and sizes. createTable writes a declared type
//    only when it is a plain type name: words of letters, digits and "_"
//    (none starting with a digit, none an SQL keyword, which could start a
//    constraint), separated by blanks, optionally followed by "(n)" or
//    "(n, m)". Any other type text ("INTEGER) --", "TEXT(20), b TEXT") is
//    dropped: the column is made without a declared type, and the table gets
//    exactly the columns asked for.
//  - Transactions nest: one begun inside another is a savepoint of it, so
//    only the outermost commit writes the file.
//  - Table names are matched by SQLite without regard to ASCII letter case;
//    tableNames gives them as stored for callers that compare exactly.
//  - A Database and its statements are used by one thread at a time.

#include "Value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace presetdb {

struct ColumnDefinition {
    std::string name;
    std::string declaredType;
    bool operator==(const ColumnDefinition&) const = default;
};

// "name" with inner double quotes doubled.
std::string quoteIdentifier(std::string_view name);
// True for a declared type createTable writes (see the rules above).
bool isPlainTypeName(std::string_view type);

// A prepared statement; finalized when it goes.
class Statement {
public:
    // Binds value to the 1-based parameter index.
    void bind(int index, const Value& value);
    // Advances; true when a row is ready to be read.
    bool step();
    // Runs a statement that returns no rows (or ignores them) and resets it.
    void run();
    // Makes the statement ready to run again and clears its bindings.
    void reset();

    int columnCount() const;
    std::string columnName(int column) const;
    // A column of the current row in place, valid until the statement steps.
    ValueView view(int column) const;
    // The column of this name, letter case ignored; a failure "Item not found
    // in this collection." when there is none.
    int columnIndex(std::string_view name) const;
    Value column(int column) const;

private:
    friend class Database;
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}
    [[noreturn]] void fail() const;

    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// SQLite's settings for the whole process, made once before the first
// database opens: no memory statistics, which would take a lock on every
// allocation, and no block of page-cache slots set up ahead for each
// database, which the program's small databases never fill.
void configureDatabaseEngine();

class Database {
public:
    // Opens an existing database file for reading and writing.
    static Database open(std::string_view path);
    // Makes a new, empty database file; fails when the file exists.
    static Database create(std::string_view path);

    // Reads a database file whole into memory: no handle on the file stays
    // open and nothing is ever written beside it. Failures name the file.
    // bytesRead, when given, gets the file's bytes.
    static Database readIntoMemory(std::string_view path, std::string* bytesRead = nullptr);
    // A database in memory made from a file's bytes; `name` names it in failures.
    static Database fromBytes(std::string_view bytes, std::string name);
    // A new, empty database in memory, named as fromBytes names one.
    static Database emptyInMemory(std::string name);
    // A database that reads the bytes where they lie, for as long as they
    // stay there; it cannot be written.
    static Database viewOf(std::string_view bytes, std::string name);
    // The database as a file holds it.
    std::string bytes() const;

    const std::string& path() const { return path_; }

    std::vector<std::string> tableNames() const;
    // The columns of a table in their order; a failure when there is no such table.
    std::vector<ColumnDefinition> columns(std::string_view table) const;
    void deleteTable(std::string_view table);
    // A table with exactly these columns: no keys, indexes or defaults.
    void createTable(std::string_view table, const std::vector<ColumnDefinition>& columns);
    void renameColumn(std::string_view table, std::string_view from, std::string_view to);

    Statement prepare(std::string_view sql);
    // Runs SQL without parameters (one or more statements).
    void execute(std::string_view sql);
    bool inTransaction() const;
    // The rows the last INSERT, UPDATE or DELETE wrote.
    std::int64_t changes() const;

    // A function that SQL on this connection can call, with this number of
    // arguments (at most kMaxArguments), for as long as the connection lives
    // (never from a trigger or view stored in a file). A deterministic one
    // gives the same result for the same arguments and nothing else;
    // otherwise SQLite calls it exactly where the statement says. One of
    // Arguments::TextFirst is called for a text first argument only: any
    // other is the result as it is; so is a text without textMark, when one
    // is given (a function that only ever changes a text holding that byte
    // is then spared the calls for all others). A failure it throws fails
    // the statement.
    static constexpr std::size_t kMaxArguments = 4;
    using SqlFunction = std::function<Value(std::span<const ValueView> arguments)>;
    enum class Purity { Deterministic, HasEffects };
    enum class Arguments { Any, TextFirst };
    void defineFunction(std::string_view name, int argumentCount, Purity purity,
                        SqlFunction function, Arguments arguments = Arguments::Any,
                        std::optional<char> textMark = std::nullopt);

    // Called now and then (every thousand or so of SQLite's own steps) while
    // a statement runs, so that long reads and sorts can keep a window
    // responsive. The callback must not use this database; an empty one
    // stops the calls.
    void setProgressCallback(std::function<void()> callback);

private:
    struct Closer {
        void operator()(sqlite3* connection) const;
    };
    Database(sqlite3* connection, std::string path);
    static Database inMemory(std::string_view bytes, std::string name, bool writable);
    [[noreturn]] void fail(std::string_view what) const;

    std::unique_ptr<sqlite3, Closer> connection_;
    std::string path_;
    // On the heap, so its address stays with the connection when the Database moves.
    std::unique_ptr<std::function<void()>> progress_;
};

// The writes between construction and commit() form one transaction; one
// that is not committed is rolled back when it goes. Inside another
// transaction it is a savepoint, whose commit is part of the outer one.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& database_;
    bool nested_;
    bool open_ = true;
};

} // namespace presetdb
