// Replacing, reading and appending to files: what belongs to a replaced file,
// symbolic links, leftovers of interrupted runs, and the kinds of file that
// must never be opened.

#include "framework/FileSystem.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace framework;
using testsupport::TestInstallation;

// Modes, owners, symbolic links and FIFOs are Linux's; the Windows
// counterparts are in WindowsPlatformTest.cpp.
#ifndef _WIN32
namespace {

struct stat statOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

bool runningAsRoot() {
    return ::geteuid() == 0;
}

} // namespace

TEST(FileReplacement, KeepsModeOwnerAndSymbolicLinks) {
    TestInstallation inst;
    const fs::path a = inst.root() / "a";
    const fs::path b = inst.root() / "b";
    fs::create_directories(a);
    fs::create_directories(b);

    // The replaced file's mode and, as root, its owner and group are kept.
    inst.write("a/file", "old");
    ASSERT_EQ(::chmod((a / "file").c_str(), 0640), 0);
    if (runningAsRoot()) {
        ASSERT_EQ(::chown((a / "file").c_str(), 65534, 65533), 0);
    }
    const struct stat before = statOf(a / "file");
    ASSERT_TRUE(writeFileAtomically(inst.path("a/FILE"), "new")) << "found whatever its case";
    const struct stat after = statOf(a / "file");
    EXPECT_EQ(inst.read("a/file"), "new");
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not rewritten in place";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);

    // Run as root, a new file, replaced or appended to, gets its folder's owner.
    if (runningAsRoot()) {
        ASSERT_EQ(::chown(b.c_str(), 65534, 65533), 0);
        ASSERT_TRUE(writeFileAtomically((b / "created").string(), "x"));
        ASSERT_TRUE(appendToFile((b / "log").string(), "line"));
        ASSERT_TRUE(appendToPlainFile((b / "report").string(), "line"));
        for (const char* name : {"created", "log", "report"}) {
            EXPECT_EQ(statOf(b / name).st_uid, 65534u) << name;
            EXPECT_EQ(statOf(b / name).st_gid, 65533u) << name;
        }
    }

    // A link stays a link, with an absolute target, or relative over a chain.
    inst.write("b/target", "old");
    inst.write("b/chained", "old");
    fs::create_symlink(b / "target", a / "absolute");
    fs::create_symlink("second", a / "first");
    fs::create_symlink("../b/chained", a / "second");
    for (const char* link : {"absolute", "first"})
        ASSERT_TRUE(writeFileAtomically((a / link).string(), link)) << link;
    EXPECT_EQ(fs::read_symlink(a / "absolute"), b / "target");
    EXPECT_EQ(fs::read_symlink(a / "first"), "second");
    EXPECT_EQ(fs::read_symlink(a / "second"), "../b/chained");
    EXPECT_EQ(inst.read("b/target"), "absolute");
    EXPECT_EQ(inst.read("b/chained"), "first");

    // A dangling link is not written through, and creates nothing.
    fs::create_symlink(b / "nothing", a / "dangling");
    EXPECT_FALSE(writeFileAtomically((a / "dangling").string(), "x"));
    EXPECT_FALSE(fs::exists(b / "nothing"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(a / "dangling")));

    EXPECT_EQ(removeStaleTemporaries(a.string()) + removeStaleTemporaries(b.string()), 0u)
        << "no temporary file left";
}

#endif

TEST(FileReplacement, RemovesOnlyItsOwnStaleTemporaries) {
    TestInstallation inst;
    const fs::path folder = inst.componentFolder();
    for (const char* name : {".Engineering.cfg.tmp123456789", ".Engineering_Config.ini.tmp7",
                             "Engineering.cfg", ".Engineering.cfg.tmp", ".Engineering.cfg.tmp12x",
                             "Engineering.cfg.tmp5", ".tmp5", ".Engineering.cfg.bak5"})
        inst.write(std::string("Engineering/") + name, "x");
    fs::create_directory(folder / ".folder.tmp1");
#ifdef _WIN32
    fs::create_directory(folder / ".link.tmp2"); // a link needs a privilege there
#else
    fs::create_symlink("Engineering.cfg", folder / ".link.tmp2");
#endif

    EXPECT_EQ(removeStaleTemporaries(folder.string()), 2u);
    EXPECT_EQ(inst.fileNames("Engineering"),
              (std::vector<std::string>{".Engineering.cfg.bak5", ".Engineering.cfg.tmp",
                                        ".Engineering.cfg.tmp12x", ".folder.tmp1", ".link.tmp2",
                                        ".tmp5", "Engineering.cfg", "Engineering.cfg.tmp5"}));
}

#ifndef _WIN32
// Opening any of the unreadable kinds could wait for ever (a FIFO) or touch a
// device; none of them is read, appended to or replaced.
TEST(FileKinds, OnlyRegularFilesAreOpened) {
    TestInstallation inst;
    const fs::path folder = inst.componentFolder();
    inst.write("Engineering/file", "bytes");
    fs::create_directory(folder / "folder");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0666), 0);
    fs::create_symlink(folder / "nothing", folder / "dangling");
    fs::create_symlink("/dev/null", folder / "device");
    fs::create_symlink("file", folder / "link");

    struct Case {
        const char* name;
        FileKind kind;
    };
    for (const auto& [name, kind] :
         {Case{"file", FileKind::Readable}, Case{"missing", FileKind::Missing},
          Case{"folder", FileKind::Unreadable}, Case{"fifo", FileKind::Unreadable},
          Case{"dangling", FileKind::Unreadable}, Case{"device", FileKind::Unreadable}}) {
        SCOPED_TRACE(name);
        const std::string path = (folder / name).string();
        EXPECT_EQ(probeFile(path), kind);
        EXPECT_EQ(readFileBytes(path).has_value(), kind == FileKind::Readable);
        if (kind == FileKind::Unreadable) {
            EXPECT_FALSE(appendToFile(path, "x"));
            EXPECT_FALSE(appendToPlainFile(path, "x"));
            EXPECT_FALSE(canReplaceFile(path));
            EXPECT_FALSE(writeFileAtomically(path, "x"));
        }
    }
    EXPECT_EQ(readFileBytes((folder / "file").string()), "bytes");
    // The report is appended only to the file itself: not through a link,
    // nor to a file that has a second name.
    EXPECT_FALSE(appendToPlainFile((folder / "link").string(), "x"));
    fs::create_hard_link(folder / "file", folder / "second name");
    EXPECT_FALSE(appendToPlainFile((folder / "second name").string(), "x"));
    EXPECT_TRUE(appendToFile((folder / "file").string(), "+"));
    EXPECT_TRUE(appendToPlainFile((folder / "missing").string(), "new"));
    EXPECT_EQ(inst.read("Engineering/file"), "bytes+");
    EXPECT_EQ(inst.read("Engineering/missing"), "new");
    EXPECT_FALSE(fs::exists(folder / "nothing"));
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
}
#endif
