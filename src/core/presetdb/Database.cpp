#include "Database.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace presetdb {
namespace {

using run::Failure;

constexpr char kHeader[] = "SQLite format 3"; // followed by a NUL byte
// A connection serves one thread at a time: no locking on every call.
constexpr int kOpenFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;

[[noreturn]] void throwOpenFailure(std::string_view path, std::string_view reason) {
    throw Failure(run::ErrDatabase,
                  "Could not open database '" + std::string(path) + "': " + std::string(reason));
}

bool hasSqliteHeader(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char header[sizeof kHeader] = {};
    return in.read(header, sizeof header) && std::memcmp(header, kHeader, sizeof kHeader) == 0;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string databaseFileName(sqlite3* connection) {
    const char* name = sqlite3_db_filename(connection, "main");
    return name != nullptr ? name : "";
}

} // namespace

std::string quoteIdentifier(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

bool isPlainTypeName(std::string_view type) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < type.size() && type[i] == ' ')
            ++i;
    };
    const auto number = [&] {
        skipBlanks();
        const std::size_t start = i;
        while (i < type.size() && isDigit(type[i]))
            ++i;
        const bool found = i > start;
        skipBlanks();
        return found;
    };

    bool anyWord = false;
    while (i < type.size() && isLetter(type[i])) {
        const std::size_t start = i;
        while (i < type.size() && (isLetter(type[i]) || isDigit(type[i])))
            ++i;
        // A keyword ends SQLite's type name and may begin a constraint.
        if (sqlite3_keyword_check(type.data() + start, int(i - start)) != 0)
            return false;
        anyWord = true;
        skipBlanks();
    }
    if (!anyWord)
        return false;
    if (i == type.size())
        return true;
    if (type[i] != '(')
        return false;
    ++i;
    if (!number())
        return false;
    if (i < type.size() && type[i] == ',') {
        ++i;
        if (!number())
            return false;
    }
    return i + 1 == type.size() && type[i] == ')';
}

// ---- Statement ----

void Statement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

void Statement::fail() const {
    sqlite3* connection = sqlite3_db_handle(statement_.get());
    throw Failure(run::ErrDatabase, std::string(sqlite3_errmsg(connection)) + " (" +
                                        databaseFileName(connection) + ")");
}

void Statement::bind(int index, const Value& value) {
    sqlite3_stmt* s = statement_.get();
    int result = SQLITE_OK;
    switch (value.kind()) {
    case ValueKind::Null:
        result = sqlite3_bind_null(s, index);
        break;
    case ValueKind::Integer:
        result = sqlite3_bind_int64(s, index, value.integer());
        break;
    case ValueKind::Real:
        result = sqlite3_bind_double(s, index, value.real());
        break;
    case ValueKind::Text:
        result = sqlite3_bind_text64(s, index, value.text().data(), value.text().size(),
                                     SQLITE_TRANSIENT, SQLITE_UTF8);
        break;
    case ValueKind::Blob:
        result = sqlite3_bind_blob64(s, index, value.blob().bytes.data(), value.blob().bytes.size(),
                                     SQLITE_TRANSIENT);
        break;
    }
    if (result != SQLITE_OK)
        fail();
}

bool Statement::step() {
    const int result = sqlite3_step(statement_.get());
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    fail();
}

void Statement::run() {
    try {
        while (step()) {
        }
    } catch (...) {
        reset();
        throw;
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
}

int Statement::columnCount() const {
    return sqlite3_column_count(statement_.get());
}

std::string Statement::columnName(int column) const {
    const char* name = sqlite3_column_name(statement_.get(), column);
    return name != nullptr ? name : "";
}

int Statement::columnIndex(std::string_view name) const {
    for (int c = 0; c < columnCount(); ++c)
        if (platform::equalsIgnoreCase(columnName(c), name))
            return c;
    throw Failure(run::ErrDatabase,
                  "Item not found in this collection. (" + std::string(name) + ")");
}

ValueView Statement::view(int column) const {
    sqlite3_stmt* s = statement_.get();
    ValueView view;
    switch (sqlite3_column_type(s, column)) {
    case SQLITE_INTEGER:
        view.kind = ValueKind::Integer;
        view.integer = sqlite3_column_int64(s, column);
        break;
    case SQLITE_FLOAT:
        view.kind = ValueKind::Real;
        view.real = sqlite3_column_double(s, column);
        break;
    case SQLITE_TEXT:
        view.kind = ValueKind::Text;
        view.bytes = {reinterpret_cast<const char*>(sqlite3_column_text(s, column)),
                      std::size_t(sqlite3_column_bytes(s, column))};
        break;
    case SQLITE_BLOB:
        view.kind = ValueKind::Blob;
        view.bytes = {static_cast<const char*>(sqlite3_column_blob(s, column)),
                      std::size_t(sqlite3_column_bytes(s, column))};
        break;
    default:
        break;
    }
    return view;
}

Value Statement::column(int column) const {
    return Value(view(column));
}

// ---- Database ----

void Database::Closer::operator()(sqlite3* connection) const {
    // Deferred until the last statement of the connection is finalized.
    sqlite3_close_v2(connection);
}

Database::Database(sqlite3* connection, std::string path)
    : connection_(connection), path_(std::move(path)) {
    sqlite3_busy_timeout(connection, 2000);
    sqlite3_extended_result_codes(connection, 1);
    // A quoted name is always a name (see the header).
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(connection, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
}

void configureDatabaseEngine() {
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
}

Database Database::open(std::string_view path) {
    const fs::path file = platform::nativePath(path);
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        throwOpenFailure(path, "file not found");
    if (!hasSqliteHeader(file))
        throwOpenFailure(path, "the file is not a database");
    sqlite3* connection = nullptr;
    const int result =
        sqlite3_open_v2(platform::utf8Text(file).c_str(), &connection, kOpenFlags, nullptr);
    if (result != SQLITE_OK) {
        const std::string reason =
            connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(result);
        sqlite3_close_v2(connection);
        throwOpenFailure(path, reason);
    }
    Database database(connection, std::string(path));
    // Reading the schema finds a damaged file now (and rolls back a journal
    // left behind by an interrupted run).
    if (sqlite3_exec(connection, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throwOpenFailure(path, sqlite3_errmsg(connection));
    return database;
}

Database Database::readIntoMemory(std::string_view path, std::string* bytesRead) {
    auto bytes = platform::readFileBytes(path);
    if (!bytes)
        throwOpenFailure(path, "file not found");
    Database database = fromBytes(*bytes, std::string(path));
    if (bytesRead)
        *bytesRead = std::move(*bytes);
    return database;
}

Database Database::fromBytes(std::string_view bytes, std::string name) {
    return inMemory(bytes, std::move(name), true);
}

Database Database::emptyInMemory(std::string name) {
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(":memory:", &connection, kOpenFlags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(connection);
        throwOpenFailure(name, "out of memory");
    }
    Database database(connection, std::move(name));
    // An empty image, so that it lies in memory as fromBytes's databases do.
    if (sqlite3_deserialize(connection, "main", nullptr, 0, 0,
                            SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE) !=
        SQLITE_OK)
        database.fail("Cannot make a database in memory");
    database.execute("PRAGMA temp_store = MEMORY");
    return database;
}

Database Database::viewOf(std::string_view bytes, std::string name) {
    return inMemory(bytes, std::move(name), false);
}

Database Database::inMemory(std::string_view bytes, std::string name, bool writable) {
    if (bytes.size() < sizeof kHeader || std::memcmp(bytes.data(), kHeader, sizeof kHeader) != 0)
        throwOpenFailure(name, "the file is not a database");
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(":memory:", &connection, kOpenFlags, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(connection);
        throwOpenFailure(name, "out of memory");
    }
    Database database(connection, name);
    // A file in WAL mode is read as the rollback-journal file it also is,
    // which takes a copy to change.
    constexpr std::size_t kWriteVersion = 18;
    constexpr std::size_t kReadVersion = 19;
    const bool walMode =
        bytes.size() > kReadVersion && bytes[kWriteVersion] == 2 && bytes[kReadVersion] == 2;
    unsigned int flags = SQLITE_DESERIALIZE_READONLY;
    auto* image = reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data()));
    if (writable || walMode) {
        image = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
        if (image == nullptr)
            throwOpenFailure(name, "out of memory");
        std::memcpy(image, bytes.data(), bytes.size());
        if (walMode)
            image[kWriteVersion] = image[kReadVersion] = 1;
        flags = SQLITE_DESERIALIZE_FREEONCLOSE |
                (writable ? SQLITE_DESERIALIZE_RESIZEABLE : SQLITE_DESERIALIZE_READONLY);
    }
    if (sqlite3_deserialize(connection, "main", image, sqlite3_int64(bytes.size()),
                            sqlite3_int64(bytes.size()), flags) != SQLITE_OK)
        throwOpenFailure(name, sqlite3_errmsg(connection));
    // Reading the schema finds a damaged file now.
    if (sqlite3_exec(connection, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK)
        throwOpenFailure(name, sqlite3_errmsg(connection));
    // Its temporary tables and sorts stay in memory too, never in files.
    database.execute("PRAGMA temp_store = MEMORY");
    return database;
}

std::string Database::bytes() const {
    sqlite3_int64 size = 0;
    // A database in memory lies in one piece, which is copied once.
    if (const unsigned char* image =
            sqlite3_serialize(connection_.get(), "main", &size, SQLITE_SERIALIZE_NOCOPY))
        return std::string(reinterpret_cast<const char*>(image), std::size_t(size));
    unsigned char* image = sqlite3_serialize(connection_.get(), "main", &size, 0);
    if (image == nullptr)
        fail("Cannot copy the database");
    std::string bytes(reinterpret_cast<const char*>(image), std::size_t(size));
    sqlite3_free(image);
    return bytes;
}

Database Database::create(std::string_view path) {
    const fs::path file = platform::nativePath(path);
    std::error_code error;
    if (fs::exists(file, error))
        throw Failure(run::ErrDatabase,
                      "Could not create database '" + std::string(path) + "': the file exists");
    sqlite3* connection = nullptr;
    const int result = sqlite3_open_v2(platform::utf8Text(file).c_str(), &connection,
                                       kOpenFlags | SQLITE_OPEN_CREATE, nullptr);
    if (result != SQLITE_OK) {
        const std::string reason =
            connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(result);
        sqlite3_close_v2(connection);
        throw Failure(run::ErrDatabase,
                      "Could not create database '" + std::string(path) + "': " + reason);
    }
    Database database(connection, std::string(path));
    database.execute("PRAGMA user_version = 0"); // writes the header: the file is a database now
    return database;
}

void Database::fail(std::string_view what) const {
    throw Failure(run::ErrDatabase, std::string(what) + ": " + sqlite3_errmsg(connection_.get()) +
                                        " (" + path_ + ")");
}

Statement Database::prepare(std::string_view sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.data(), int(sql.size()), &statement, nullptr) !=
        SQLITE_OK)
        fail("SQL error");
    return Statement(statement);
}

void Database::execute(std::string_view sql) {
    const std::string text(sql);
    if (sqlite3_exec(connection_.get(), text.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail("SQL error");
}

bool Database::inTransaction() const {
    return sqlite3_get_autocommit(connection_.get()) == 0;
}

std::int64_t Database::changes() const {
    return sqlite3_changes64(connection_.get());
}

std::vector<std::string> Database::tableNames() const {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(),
                           "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid",
                           -1, &raw, nullptr) != SQLITE_OK)
        fail("Could not list the tables");
    Statement statement(raw);
    std::vector<std::string> names;
    while (statement.step())
        names.push_back(toText(statement.column(0)));
    return names;
}

std::vector<ColumnDefinition> Database::columns(std::string_view table) const {
    // The pragma itself, as pragma_table_info(?1) would run it, without
    // preparing a second statement each time: its argument cannot be bound,
    // so it is quoted as SQLite quotes it there (up to a NUL, as there).
    const std::string_view name = table.substr(0, table.find('\0'));
    std::string sql = "PRAGMA table_info = '";
    for (const char c : name)
        sql.append(c == '\'' ? 2 : 1, c);
    sql += '\'';
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection_.get(), sql.c_str(), int(sql.size()), &raw, nullptr) !=
        SQLITE_OK)
        fail("Could not read the columns");
    Statement statement(raw);
    constexpr int kName = 1; // cid, name, type, notnull, dflt_value, pk
    constexpr int kType = 2;
    std::vector<ColumnDefinition> columns;
    while (statement.step())
        columns.push_back({toText(statement.column(kName)), toText(statement.column(kType))});
    if (columns.empty())
        throw Failure(run::ErrDatabase,
                      "Table '" + std::string(table) + "' not found (" + path_ + ")");
    return columns;
}

void Database::deleteTable(std::string_view table) {
    execute("DROP TABLE " + quoteIdentifier(table));
}

void Database::createTable(std::string_view table, const std::vector<ColumnDefinition>& columns) {
    std::string sql = "CREATE TABLE " + quoteIdentifier(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += quoteIdentifier(columns[i].name);
        if (isPlainTypeName(columns[i].declaredType))
            sql += " " + columns[i].declaredType;
    }
    execute(sql + ")");
}

void Database::renameColumn(std::string_view table, std::string_view from, std::string_view to) {
    execute("ALTER TABLE " + quoteIdentifier(table) + " RENAME COLUMN " + quoteIdentifier(from) +
            " TO " + quoteIdentifier(to));
}

namespace {

ValueView viewOf(sqlite3_value* value) {
    ValueView view;
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        view.kind = ValueKind::Integer;
        view.integer = sqlite3_value_int64(value);
        break;
    case SQLITE_FLOAT:
        view.kind = ValueKind::Real;
        view.real = sqlite3_value_double(value);
        break;
    case SQLITE_TEXT:
        view.kind = ValueKind::Text;
        view.bytes = {reinterpret_cast<const char*>(sqlite3_value_text(value)),
                      std::size_t(sqlite3_value_bytes(value))};
        break;
    case SQLITE_BLOB:
        view.kind = ValueKind::Blob;
        view.bytes = {static_cast<const char*>(sqlite3_value_blob(value)),
                      std::size_t(sqlite3_value_bytes(value))};
        break;
    default:
        break;
    }
    return view;
}

void setResult(sqlite3_context* context, const Value& value) {
    switch (value.kind()) {
    case ValueKind::Null:
        sqlite3_result_null(context);
        break;
    case ValueKind::Integer:
        sqlite3_result_int64(context, value.integer());
        break;
    case ValueKind::Real:
        sqlite3_result_double(context, value.real());
        break;
    case ValueKind::Text:
        sqlite3_result_text64(context, value.text().data(), value.text().size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8);
        break;
    case ValueKind::Blob:
        sqlite3_result_blob64(context, value.blob().bytes.data(), value.blob().bytes.size(),
                              SQLITE_TRANSIENT);
        break;
    }
}

// A defined function, owned by the connection.
struct DefinedFunction {
    Database::SqlFunction function;
    bool textFirst;
    std::optional<char> textMark;
};

// Answers a call whose first argument the function would give back as it
// is; false when the function has to be called.
bool answeredAsItIs(const DefinedFunction& defined, sqlite3_context* context,
                    sqlite3_value* first) {
    if (!defined.textFirst)
        return false;
    if (sqlite3_value_type(first) != SQLITE_TEXT) {
        sqlite3_result_value(context, first);
        return true;
    }
    if (!defined.textMark)
        return false;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(first));
    const auto size = std::size_t(sqlite3_value_bytes(first));
    if (text == nullptr || std::memchr(text, *defined.textMark, size) != nullptr)
        return false;
    // As the function's result would be set: a copied value costs more.
    sqlite3_result_text64(context, text, size, SQLITE_TRANSIENT, SQLITE_UTF8);
    return true;
}

void callDefinedFunction(sqlite3_context* context, int count, sqlite3_value** values) {
    const auto& defined = *static_cast<const DefinedFunction*>(sqlite3_user_data(context));
    if (answeredAsItIs(defined, context, values[0]))
        return;
    try {
        std::array<ValueView, Database::kMaxArguments> arguments;
        for (int i = 0; i < count; ++i)
            arguments[std::size_t(i)] = viewOf(values[i]);
        setResult(context, defined.function(std::span(arguments).first(std::size_t(count))));
    } catch (const Failure& failure) {
        sqlite3_result_error(context, failure.description().c_str(), -1);
    } catch (const std::exception& error) {
        // Nothing may cross into SQLite.
        sqlite3_result_error(context, error.what(), -1);
    }
}

void deleteDefinedFunction(void* defined) {
    delete static_cast<DefinedFunction*>(defined);
}

int onProgress(void* callback) {
    try {
        (*static_cast<std::function<void()>*>(callback))();
    } catch (...) {
        // Nothing may cross into SQLite; the statement goes on.
    }
    return 0; // never interrupts the statement
}

constexpr int kStepsPerProgressCall = 1000;

} // namespace

void Database::setProgressCallback(std::function<void()> callback) {
    if (!callback) {
        sqlite3_progress_handler(connection_.get(), 0, nullptr, nullptr);
        progress_.reset();
        return;
    }
    progress_ = std::make_unique<std::function<void()>>(std::move(callback));
    sqlite3_progress_handler(connection_.get(), kStepsPerProgressCall, onProgress, progress_.get());
}

void Database::defineFunction(std::string_view name, int argumentCount, Purity purity,
                              SqlFunction function, Arguments arguments,
                              std::optional<char> textMark) {
    if (argumentCount > int(kMaxArguments))
        throw std::invalid_argument("too many arguments");
    const int flags = SQLITE_UTF8 | SQLITE_DIRECTONLY |
                      (purity == Purity::Deterministic ? SQLITE_DETERMINISTIC : 0);
    // SQLite owns the function from here on, and deletes it even when the
    // definition fails.
    auto defined = std::make_unique<DefinedFunction>(
        DefinedFunction{std::move(function), arguments == Arguments::TextFirst, textMark});
    if (sqlite3_create_function_v2(connection_.get(), std::string(name).c_str(), argumentCount,
                                   flags, defined.release(), callDefinedFunction, nullptr, nullptr,
                                   deleteDefinedFunction) != SQLITE_OK)
        fail("Could not define the function " + std::string(name));
}

// ---- Transaction ----

// Savepoints of one name nest: each statement refers to the latest one.
constexpr std::string_view kSavepoint = "nested_writes";

Transaction::Transaction(Database& database)
    : database_(database), nested_(database.inTransaction()) {
    // The write lock is taken by the first write.
    database_.execute(nested_ ? "SAVEPOINT " + std::string(kSavepoint) : "BEGIN");
}

Transaction::~Transaction() {
    // A failed statement may have ended the whole transaction already.
    if (!open_ || !database_.inTransaction())
        return;
    try {
        if (nested_)
            database_.execute("ROLLBACK TO " + std::string(kSavepoint) + "; RELEASE " +
                              std::string(kSavepoint));
        else
            database_.execute("ROLLBACK");
    } catch (const Failure&) {
        // Nothing more can be done; the journal rolls it back on the next open.
    }
}

void Transaction::commit() {
    database_.execute(nested_ ? "RELEASE " + std::string(kSavepoint) : "COMMIT");
    open_ = false;
}

} // namespace presetdb
