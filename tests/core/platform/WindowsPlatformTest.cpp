// The Windows branches of the platform layer, on Windows only (and so under Wine):
// the program's folder, the fault log at the drive root, replacing files,
// binary file access, file stamps and paths in more than one spelling.

#include "ini/ProfileFiles.h"
#include "installation/InstallationFiles.h"
#include "platform/FileSystem.h"
#include "platform/PlatformFiles.h"
#include "platform/RunningProcess.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"
#include "run/ProgramState.h"

#include "TestInstallation.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace platform;
using namespace ini;
using namespace run;
using namespace installation;
using testsupport::TestInstallation;

namespace {

DWORD attributesOf(const fs::path& path) {
    return GetFileAttributesW(path.c_str());
}

std::uint64_t fileIndexOf(const fs::path& path) {
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    return (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace

// The folder comes from the running executable, never from the working folder.
TEST(WindowsPlatform, TheProgramsFolderIsTheExecutablesWhateverTheWorkingFolder) {
    TestInstallation inst;
    const fs::path working = fs::current_path();
    fs::current_path(inst.root());
    ProgramStart start;
    locateRunningProgram(start);
    fs::current_path(working);

    const std::string folder = start.executableFolder;
    ASSERT_GE(folder.size(), 3u);
    EXPECT_EQ(folder[1], ':') << folder;
    EXPECT_NE(folder.back(), '\\') << "no trailing backslash below a drive root";
    EXPECT_TRUE(
        fs::is_regular_file(pathFromUtf8(folder + "\\" + start.executableBaseName + ".exe")));
    ProgramState here(start, nullptr);
    EXPECT_EQ(installationFolder(here), utf8Text(pathFromUtf8(folder).parent_path()));

    // An executable at a drive root: the folder is the root, the installation
    // folder the drive, and the component's files lie below it.
    ProgramState root({"", "C:\\", "Engineering_Config"}, nullptr);
    EXPECT_EQ(installationFolder(root), "C:");
    EXPECT_EQ(componentFiles(installationFolder(root), "Engineering").targetDatabase,
              "C:\\Engineering\\Engineering.mdb");
    EXPECT_EQ(errorLogPath(root), "C:\\Q4Mcfglog.txt");
}

// The arguments come from the command line as the process got it, after the
// program's name, split by the system's rules, in UTF-8 whatever the ANSI code
// page holds.
TEST(WindowsPlatform, TheArgumentsAreTheCommandLineAfterTheProgramsName) {
    using Arguments = std::vector<std::string>;
    for (const auto& [line, arguments] :
         {std::pair<const wchar_t*, Arguments>{
              L"\"C:\\Program Files\\E\\Engineering_Config.exe\" /EXTERNAL SILENT",
              {"/EXTERNAL", "SILENT"}},
          {L"Engineering_Config.exe  /LOGFILE \"C:\\Pr\u00FCfung\\\u03A9 1.txt\"",
           {"/LOGFILE", "C:\\Pr\xC3\xBC"
                        "fung\\\xCE\xA9 1.txt"}},
          {L"\"C:\\E\\Engineering_Config.exe\"/EXTERNAL\tSILENT", {"/EXTERNAL", "SILENT"}},
          {L"Engineering_Config.exe", {}},
          {L"\"unclosed", {}}}) {
        EXPECT_EQ(argumentsOfCommandLine(line), arguments);
    }
}

// The fault log is the drive root's, whatever the installation; its lines are
// written as given (a line break inside a message is LF CR, never doubled).
TEST(WindowsPlatform, TheFaultLogIsAtTheDriveRootAndTakesItsBytesAsGiven) {
    TestInstallation inst;
    ProgramState& program = inst.program();
    EXPECT_EQ(faultLogPath(program), "C:\\HalvarServicePack.log");
    LogFault(program, "first\n\rsecond");
    LogFault(program, "\xC3\xA4");
    EXPECT_EQ(
        inst.faultLog(),
        "! Fault Engineering_Config: first\n\rsecond\r\n! Fault Engineering_Config: \xE4\r\n");
    EXPECT_FALSE(inst.exists("HalvarServicePack.log"));
}

// Every byte goes to the file and comes back as it was: no text mode turns LF
// into CR LF or CR LF into CR CR LF.
TEST(WindowsPlatform, FilesAreReadAndWrittenInBinary) {
    TestInstallation inst;
    const std::string bytes = "a\r\nb\nc\rd\r\r\n\x1A"
                              "end";
    const std::string file = inst.path("Engineering/binary.txt");
    ASSERT_TRUE(writeFileAtomically(file, bytes));
    EXPECT_EQ(inst.read("Engineering/binary.txt"), bytes);
    EXPECT_EQ(readFileBytes(file), bytes);
    ASSERT_TRUE(appendToFile(file, "\r\n\n"));
    EXPECT_EQ(inst.read("Engineering/binary.txt"), bytes + "\r\n\n");
}

// The new file takes the old one's place in one step (MoveFileExW): the old
// file's attributes stay; a file another program holds open is either
// replaced or, where the system refuses that, kept whole; a read-only file is
// left as it is.
TEST(WindowsPlatform, ReplacingAFileKeepsItsAttributes) {
    TestInstallation inst;
    const fs::path target = inst.componentFolder() / "Engineering.int";
    inst.write("Engineering/Engineering.int", "old");
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const DWORD attributes = attributesOf(target); // as the file system keeps them
    const std::uint64_t before = fileIndexOf(target);

    // Held open by a reader that lets others delete it, as the panel's run
    // time reads its files.
    const HANDLE reader = CreateFileW(target.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    const bool whileOpen = writeFileAtomically(target.string(), "open");
    CloseHandle(reader);
    EXPECT_EQ(inst.read("Engineering/Engineering.int"), whileOpen ? "open" : "old");

    ASSERT_TRUE(writeFileAtomically(target.string(), "new"));
    EXPECT_EQ(inst.read("Engineering/Engineering.int"), "new");
    EXPECT_NE(fileIndexOf(target), before) << "a new file, not the old one rewritten";
    EXPECT_EQ(attributesOf(target), attributes);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);

    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(writeFileAtomically(target.string(), "newer"));
    EXPECT_EQ(inst.read("Engineering/Engineering.int"), "new");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(removeStaleTemporaries(inst.componentFolder().string()), 0u);
}

// A file rewritten in place within the same second and at the same size is
// told from the file read before: the parsed-file cache must not answer.
TEST(WindowsPlatform, AFileChangedWithinOneSecondIsReadAgain) {
    TestInstallation inst;
    const std::string file = inst.path("Engineering/Engineering.cfg");
    inst.write("Engineering/Engineering.cfg", "[s]\r\nk=1\r\n");
    EXPECT_EQ(profileReadString("s", "k", "", 255, file), "1");
    {
        std::ofstream rewrite(file, std::ios::binary | std::ios::in | std::ios::out);
        rewrite.seekp(7);
        rewrite.put('2');
    }
    EXPECT_EQ(profileReadString("s", "k", "", 255, file), "2");
}

// A stored path keeps its backslashes, a path built here may carry slashes
// too: every spelling names the same file. Names beyond the ANSI code page
// are kept as they are.
TEST(WindowsPlatform, PathsInMoreThanOneSpellingAndBeyondTheCodePage) {
    TestInstallation inst;
    const std::string root = inst.root().string();
    const std::string mixed = root + "/Engineering\\sub/" + "file.ini";
    fs::create_directories(inst.componentFolder() / "sub");
    ASSERT_TRUE(writeFileAtomically(mixed, "[s]\r\nk=v\r\n"));
    EXPECT_TRUE(fileExists(root + "\\ENGINEERING\\SUB\\FILE.INI"));
    EXPECT_EQ(profileReadString("s", "k", "", 255, root + "\\Engineering/sub\\file.ini"), "v");
    EXPECT_EQ(listFiles(root + "/Engineering/sub/"), std::vector<std::string>{"file.ini"});

    // "Prüfstand Ω": the omega has no place in Windows-1252.
    const std::string folder = root + "\\Pr\xC3\xBC"
                                      "fstand \xCE\xA9";
    ASSERT_TRUE(fs::create_directory(pathFromUtf8(folder)));
    const std::string file = folder + "\\\xCE\xA9.ini";
    ASSERT_TRUE(profileWriteString("s", "k", "\xC3\xA4", file));
    EXPECT_EQ(profileReadString("s", "k", "", 255, file), "\xC3\xA4");
    EXPECT_EQ(listFiles(folder), std::vector<std::string>{"\xCE\xA9.ini"});
    EXPECT_EQ(removeStaleTemporaries(folder), 0u);
    EXPECT_EQ(cannotReadMessage(folder + "\\missing"), "Cannot read " + folder + "\\missing");
}

// The times the preset update puts back on the source database: both the
// creation and the last-write time, to the 100 ns.
TEST(WindowsPlatform, CreationAndLastWriteTimesArePutBack) {
    TestInstallation inst;
    const fs::path file = inst.componentFolder() / "Engineering_Source.mdb";
    inst.write("Engineering/Engineering_Source.mdb", "before");
    const HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    const FILETIME created{0x12345671, 0x01C00000}; // in 2001
    const FILETIME written{0x7654321F, 0x01D00000}; // in 2014
    ASSERT_TRUE(SetFileTime(handle, &created, nullptr, &written));
    CloseHandle(handle);

    const auto saved = platform::fileTimesOf(file);
    ASSERT_TRUE(saved.has_value());
    inst.write("Engineering/Engineering_Source.mdb", "after, longer");
    ASSERT_TRUE(platform::restoreFileTimes(file, *saved));

    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &written), 0);
    // Wine keeps files on a Linux file system, where a creation time cannot be set.
    if (!runningUnderWine()) {
        EXPECT_EQ(CompareFileTime(&data.ftCreationTime, &created), 0);
    }
}
