// The built program run silently on copies of the sample installation, each
// with one file damaged as real installations get damaged. A run either
// completes its change or keeps what it cannot safely change byte for byte,
// and says so: a log line or standard error, and status 1 or 2. A dry run
// first predicts that status.

#include "InstallationSnapshot.h"
#include "SampleInstallation.h"

#include "platform/Windows1252Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

// Empty, binary and a 10 MB line change a file's bytes; the others put
// something unreadable in its place. A file without read permission is made
// only for a user other than root, whom no permission stops; Windows has no
// FIFO, and its read permission is an access list, not a mode bit.
enum class Damage { Empty, Binary, LongLine, Folder, Fifo, DanglingLink, NoPermission };
constexpr std::array<std::string_view, 7> kDamageNames = {
    "empty", "binary", "a 10 MB line", "folder", "FIFO", "dangling link", "no read permission"};

// What a run must leave exactly as it was, besides the damage itself.
enum class Keeps {
    DamageOnly, // the run completed: the damaged file still holds what the damage put there
    Databases,  // and both databases: the preset update was refused
    Everything  // and every file: the run ended before writing anything (status 1)
};
using enum Keeps;

constexpr int kNotTried = -1; // the run rewrites the file whatever it holds

struct Row {
    std::string_view file;     // relative to the installation
    std::array<int, 4> status; // empty, binary, 10 MB line, unreadable
    Keeps keptAtStatus2 = DamageOnly;
    std::string_view failure = {}; // what a report names when not the file's path
};

// A 10 MB line is appended to a valid text file; a database gets 10 MB of text.
// clang-format off
const Row kTable[] = {
    // file                               empty binary 10MB unreadable  kept at status 2
    {"Engineering/Engineering.cfg",         {2,     2,   0,         1}, Databases},
    {"Engineering/Engineering.int",         {0,     0,   0,         1}},
    {"Engineering/Engineering.dat",         {0,     0,   0,         1}},
    {"Engineering/Engineering_Config.ini",  {0,     0,   0,         2}, DamageOnly},
    {"Engineering/Engineering_Source.mdb",  {2,     2,   2,         2}, Databases},
    {"Engineering/Engineering.mdb",         {2,     2,   2,         2}, Databases},
    {"parameter/program.ini",               {2,     2,   0,         1}, Databases,
     "Subscript out of range"},
    {"Engineering/Engineering_Config.lock", {kNotTried, kNotTried, kNotTried, 1}},
};
// clang-format on

// A few KB of random bytes, the same on every run, with NUL, CR and LF among them.
std::string binaryBytes() {
    std::mt19937 random(8);
    std::string bytes(4096, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    bytes.replace(1000, 5, std::string("\0\r\n\n\r", 5));
    return bytes;
}

// 10 MB of printable text without a line end.
std::string longText() {
    const std::string_view pattern = "Lorem ipsum dolor sit amet 0123456789 ";
    std::string text;
    while (text.size() < 10 * 1024 * 1024)
        text += pattern;
    return text;
}

// Damages the file at path; returns the bytes it must hold after the run ("" for
// an unreadable kind), nothing where the platform cannot make the damage.
std::optional<std::string> damage(const fs::path& path, Damage kind) {
    std::error_code error;
    std::string added;
    std::string bytes;
    switch (kind) {
    case Damage::Empty:
        break;
    case Damage::Binary:
        added = bytes = binaryBytes();
        break;
    case Damage::LongLine:
        if (path.extension() == ".mdb") {
            added = bytes = longText();
            break;
        }
        bytes = readFile(path);
        if (!bytes.empty() && !bytes.ends_with('\n'))
            bytes += "\r\n";
        added = longText() + "\r\n";
        bytes += added;
        break;
    case Damage::Folder:
        fs::remove(path);
        return fs::create_directory(path) ? std::optional<std::string>("") : std::nullopt;
    case Damage::DanglingLink:
        fs::remove(path);
        fs::create_symlink(path.parent_path() / "nowhere", path, error);
        return error ? std::nullopt : std::optional<std::string>("");
#ifdef _WIN32
    default:
        return std::nullopt;
#else
    case Damage::Fifo:
        fs::remove(path);
        return ::mkfifo(path.c_str(), 0644) == 0 ? std::optional<std::string>("") : std::nullopt;
    case Damage::NoPermission:
        if (::geteuid() == 0)
            return std::nullopt;
        std::ofstream(path, std::ios::app).put(' ');
        fs::permissions(path, fs::perms::owner_write, error);
        return error ? std::nullopt : std::optional<std::string>("");
#endif
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return added;
}

// Whether the damage is still there as it was made.
bool damageKept(const fs::path& path, Damage kind, const std::string& added) {
    std::error_code error;
    const auto status = fs::symlink_status(path, error);
    switch (kind) {
    case Damage::Folder:
        return fs::is_directory(status) && fs::is_empty(path, error);
    case Damage::Fifo:
        return fs::is_fifo(status);
    case Damage::DanglingLink:
        return fs::is_symlink(status) && !fs::exists(path, error);
    case Damage::NoPermission:
        return status.permissions() == fs::perms::owner_write;
    default:
        return readFile(path).find(added) != std::string::npos;
    }
}

} // namespace

TEST(DamagedInstallation, ARunCompletesItsChangeOrKeepsWhatItCannotSafelyChange) {
    for (const Row& row : kTable) {
        for (std::size_t index = 0; index < kDamageNames.size(); ++index) {
            const Damage kind = Damage(index);
            SCOPED_TRACE(std::string(row.file) + " " + std::string(kDamageNames[index]));
            const int status = row.status[std::min<std::size_t>(index, 3)];
            if (status == kNotTried)
                continue;
            const Keeps keeps = status == 0   ? DamageOnly
                                : status == 1 ? Everything
                                              : row.keptAtStatus2;
            SampleInstallation installation("damaged");
            const fs::path damaged = installation.root() / row.file;
            const auto added = damage(damaged, kind);
            if (!added)
                continue;
            const auto before = snapshotOf(installation.root());
            const Ending dry = installation.run({"/DRYRUN"});
            EXPECT_EQ(dry.status, status) << "the dry run's prediction";

            const Ending ending = installation.run({"/EXTERNAL", "SILENT"});

            ASSERT_TRUE(ending.exited) << describe(ending);
            EXPECT_EQ(ending.status, status);
            const auto changed = changedEntries(before, snapshotOf(installation.root()));
            EXPECT_TRUE(damageKept(damaged, kind, *added)) << "the damage itself was changed";
            if (keeps == Everything) {
                EXPECT_EQ(changed, std::vector<std::string>{});
            } else if (keeps == Databases) {
                for (const char* database :
                     {"Engineering/Engineering.mdb", "Engineering/Engineering_Source.mdb"})
                    EXPECT_EQ(std::count(changed.begin(), changed.end(), database), 0) << database;
            }

            const std::string report =
                installation.errorLog() + installation.faultLog() + ending.errorOutput;
            if (status == 0) {
                EXPECT_EQ(report, "");
            } else {
                // The report may spell a name as the program asks for it.
                const std::string path =
                    (fs::canonical(installation.root()) / row.file).make_preferred().string();
                const bool named =
                    platform::findIgnoreCase(report, path) != std::string::npos ||
                    (!row.failure.empty() && report.find(row.failure) != std::string::npos);
                EXPECT_TRUE(named) << report;
            }
            EXPECT_EQ(installation.temporaries(), std::vector<std::string>{});
        }
    }
}
