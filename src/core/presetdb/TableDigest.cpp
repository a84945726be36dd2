#include "TableDigest.h"

#include "Database.h"

#include <cstring>

namespace presetdb {
namespace {

// 64-bit FNV-1a: fast, and a changed value changes the result with
// overwhelming likelihood, which is all a change report needs.
class Fnv1a {
public:
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ULL;
    }
    void add(std::string_view text) {
        addSize(text.size());
        add(text.data(), text.size());
    }
    void addSize(std::size_t size) {
        const std::uint64_t value = size;
        add(&value, sizeof value);
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

void addValue(Fnv1a& hash, const Value& value) {
    const auto kind = static_cast<unsigned char>(value.kind());
    hash.add(&kind, 1);
    switch (value.kind()) {
    case ValueKind::Null:
        break;
    case ValueKind::Integer: {
        const std::int64_t number = value.integer();
        hash.add(&number, sizeof number);
        break;
    }
    case ValueKind::Real: {
        const double number = value.real();
        hash.add(&number, sizeof number);
        break;
    }
    case ValueKind::Text:
        hash.add(value.text());
        break;
    case ValueKind::Blob:
        hash.addSize(value.blob().bytes.size());
        hash.add(value.blob().bytes.data(), value.blob().bytes.size());
        break;
    }
}

} // namespace

TableDigest digestTable(Database& database, std::string_view table) {
    Statement rows =
        database.prepare("SELECT * FROM " + quoteIdentifier(table) + " ORDER BY rowid");
    Fnv1a hash;
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
