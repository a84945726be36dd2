#include "DatabaseFormat.h"

#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"

#include <array>
#include <cstring>
#include <string_view>

namespace presetdb {
namespace {

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
// An Access file's first page names its engine from byte 4 on; byte 0x14
// holds the file format's version.
constexpr std::size_t kEngineOffset = 4;
constexpr std::string_view kJetEngine{"Standard Jet DB\0", 16};
constexpr std::string_view kAceEngine{"Standard ACE DB\0", 16};
constexpr std::size_t kVersionOffset = 0x14;

DatabaseFormat formatOfHeader(std::string_view header) {
    if (header.starts_with(kSqliteHeader))
        return DatabaseFormat::SQLite;
    if (header.size() <= kVersionOffset)
        return DatabaseFormat::Unknown;
    const std::string_view engine = header.substr(kEngineOffset, kJetEngine.size());
    if (engine != kJetEngine && engine != kAceEngine)
        return DatabaseFormat::Unknown;
    switch (static_cast<unsigned char>(header[kVersionOffset])) {
    case 0:
        return DatabaseFormat::Jet3;
    case 1:
        return DatabaseFormat::Jet4;
    default:
        return DatabaseFormat::Ace;
    }
}

} // namespace

DatabaseFormat databaseFormatOf(const std::string& path) {
    const platform::FileRead start = platform::readFile(path, kVersionOffset + 1);
    switch (start.kind) {
    case platform::FileKind::Missing:
        return DatabaseFormat::Missing;
    case platform::FileKind::Unreadable:
        throw run::Failure(run::ErrDatabase, platform::cannotReadMessage(path));
    case platform::FileKind::Readable:
        break;
    }
    return formatOfHeader(start.bytes);
}

DatabaseFormat databaseFormatOfBytes(std::string_view firstBytes) {
    return formatOfHeader(firstBytes);
}

const char* databaseFormatName(DatabaseFormat format) {
    switch (format) {
    case DatabaseFormat::Missing:
        return "missing";
    case DatabaseFormat::SQLite:
        return "SQLite";
    case DatabaseFormat::Jet3:
        return "Access (Jet 3)";
    case DatabaseFormat::Jet4:
        return "Access (Jet 4)";
    case DatabaseFormat::Ace:
        return "Access (ACE)";
    case DatabaseFormat::Unknown:
        break;
    }
    return "unknown";
}

} // namespace presetdb
