#include "TableDigest.h"

#include "Database.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace presetdb {
namespace {

// Mixes each value's hash into the running one: a changed value changes the
// result with overwhelming likelihood, which is all a change report needs.
class Mixer {
public:
    void add(std::uint64_t value) {
        hash_ ^= value + 0x9e3779b97f4a7c15ULL + (hash_ << 6) + (hash_ >> 2);
    }
    void add(std::string_view text) { add(std::hash<std::string_view>{}(text) ^ text.size()); }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

void addValue(Mixer& hash, const Value& value) {
    hash.add(std::uint64_t(value.kind()));
    switch (value.kind()) {
    case ValueKind::Null:
        break;
    case ValueKind::Integer:
        hash.add(std::uint64_t(value.integer()));
        break;
    case ValueKind::Real: {
        std::uint64_t bits = 0;
        const double number = value.real();
        std::memcpy(&bits, &number, sizeof bits);
        hash.add(bits);
        break;
    }
    case ValueKind::Text:
        hash.add(value.text());
        break;
    case ValueKind::Blob: {
        const auto& bytes = value.blob().bytes;
        hash.add(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        break;
    }
    }
}

} // namespace

TableDigest digestTable(Database& database, std::string_view table) {
    Statement rows =
        database.prepare("SELECT * FROM " + quoteIdentifier(table) + " ORDER BY rowid");
    Mixer hash;
    const int columns = rows.columnCount();
    for (int c = 0; c < columns; ++c)
        hash.add(rows.columnName(c));
    TableDigest digest;
    while (rows.step()) {
        ++digest.rows;
        for (int c = 0; c < columns; ++c)
            addValue(hash, rows.column(c));
    }
    digest.hash = hash.value();
    return digest;
}

} // namespace presetdb
