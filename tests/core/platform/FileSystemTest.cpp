// Replacing and appending to files: what belongs to a replaced file and
// symbolic links; names found whatever their letter case. Files that must never be opened (FIFOs,
// folders, dangling links) are the damaged-installation test's.

#include "platform/FileSystem.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace platform;
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

} // namespace

// Run as root, the replaced file keeps its owner and a new one gets its folder's.
TEST(FileReplacement, KeepsModeOwnerAndSymbolicLinks) {
    TestInstallation inst;
    const fs::path a = inst.root() / "a";
    const fs::path b = inst.root() / "b";
    inst.write("a/file", "old");
    inst.write("b/target", "old");
    inst.write("b/chained", "old");
    ASSERT_EQ(::chmod((a / "file").c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((a / "file").c_str(), 65534, 65533), 0);
        ASSERT_EQ(::chown(b.c_str(), 65534, 65533), 0);
    }
    const struct stat before = statOf(a / "file");
    ASSERT_TRUE(writeFileAtomically(inst.path("a/FILE"), "new")) << "found whatever its case";
    const struct stat after = statOf(a / "file");
    EXPECT_EQ(inst.read("a/file"), "new");
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not rewritten in place";
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(std::pair(after.st_uid, after.st_gid), std::pair(before.st_uid, before.st_gid));
    ASSERT_TRUE(writeFileAtomically((b / "created").string(), "x"));
    ASSERT_TRUE(appendToFile((b / "log").string(), "line"));
    for (const char* name : {"created", "log"})
        EXPECT_EQ(statOf(b / name).st_uid, root ? 65534u : ::geteuid()) << name;

    // A link stays a link, with an absolute target, or relative over a chain;
    // a dangling link is not written through.
    fs::create_symlink(b / "target", a / "absolute");
    fs::create_symlink("second", a / "first");
    fs::create_symlink("../b/chained", a / "second");
    fs::create_symlink(b / "nothing", a / "dangling");
    for (const char* link : {"absolute", "first"})
        ASSERT_TRUE(writeFileAtomically((a / link).string(), link)) << link;
    EXPECT_FALSE(writeFileAtomically((a / "dangling").string(), "x"));
    EXPECT_EQ(fs::read_symlink(a / "absolute"), b / "target");
    EXPECT_EQ(fs::read_symlink(a / "first"), "second");
    EXPECT_EQ(inst.read("b/target"), "absolute");
    EXPECT_EQ(inst.read("b/chained"), "first");
    EXPECT_FALSE(fs::exists(b / "nothing"));
    EXPECT_EQ(removeStaleTemporaries(a.string()) + removeStaleTemporaries(b.string()), 0u)
        << "no temporary file left";
}

// Each name that exists is found whatever its letter case; the rest of the
// path keeps its spelling, so a new file is created as it is spelled.
TEST(FileNames, ResolveEachExistingNameWhateverItsCase) {
    TestInstallation inst;
    inst.write("Folder/Sub/File.ini", "x");
    const std::string root = inst.root().string();
    const std::pair<const char*, const char*> cases[] = {
        {"/Folder/Sub/File.ini", "/Folder/Sub/File.ini"},
        {"/FOLDER/sub/file.INI", "/Folder/Sub/File.ini"},
        {"/Folder/Sub/New.ini", "/Folder/Sub/New.ini"},
        {"/folder/SUB/New.ini", "/Folder/Sub/New.ini"},
        {"/folder/Missing/file.ini", "/Folder/Missing/file.ini"},
        {"\\FOLDER\\sub\\file.ini", "/Folder/Sub/File.ini"},
    };
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(nativePath(root + asked).string(), root + found) << asked;
    EXPECT_EQ(readFile(root + "/folder/sub/FILE.ini").bytes, "x");
    EXPECT_EQ(probeFile(root + "/folder/sub/NEW.ini"), FileKind::Missing);
}

#endif
