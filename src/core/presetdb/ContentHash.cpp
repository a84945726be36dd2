#include "ContentHash.h"

#include "Database.h"

#include <cstring>
#include <functional>
#include <string>

namespace presetdb {

void ContentHash::addNumber(std::uint64_t number) {
    hash_ ^= number + 0x9e3779b97f4a7c15ULL + (hash_ << 6) + (hash_ >> 2);
}

void ContentHash::addText(std::string_view text) {
    addNumber(std::hash<std::string_view>{}(text) ^ text.size());
}

void ContentHash::addValue(const Value& value) {
    addNumber(std::uint64_t(value.kind()));
    switch (value.kind()) {
    case ValueKind::Null:
        break;
    case ValueKind::Integer:
        addNumber(std::uint64_t(value.integer()));
        break;
    case ValueKind::Real: {
        std::uint64_t bits = 0;
        const double number = value.real();
        std::memcpy(&bits, &number, sizeof bits);
        addNumber(bits);
        break;
    }
    case ValueKind::Text:
        addText(value.text());
        break;
    case ValueKind::Blob: {
        const auto& bytes = value.blob().bytes;
        addText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        break;
    }
    }
}

std::size_t ContentHash::addTable(Database& database, std::string_view table, bool withoutRowid) {
    // A table without row ids is stored in its key's order, which a plain
    // scan follows.
    Statement rows = database.prepare("SELECT * FROM " + quoteIdentifier(table) +
                                      (withoutRowid ? "" : " ORDER BY rowid"));
    const int columns = rows.columnCount();
    for (int c = 0; c < columns; ++c)
        addText(rows.columnName(c));
    std::size_t count = 0;
    while (rows.step()) {
        ++count;
        for (int c = 0; c < columns; ++c)
            addValue(rows.column(c));
    }
    addNumber(count);
    return count;
}

} // namespace presetdb
