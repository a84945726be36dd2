#include "TableDigest.h"

#include "ContentHash.h"

namespace presetdb {

TableDigest digestTable(Database& database, std::string_view table) {
    ContentHash hash;
    TableDigest digest;
    digest.rows = hash.addTable(database, table);
    digest.hash = hash.value();
    return digest;
}

} // namespace presetdb
