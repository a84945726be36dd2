// The program at a drive root (Windows only): its folder is the root "X:\",
// its installation folder the drive "X:", and the component's files lie in
// X:\Engineering. The drive is a free letter mapped to a copy of the sample
// installation; under Wine, whose mapped letters do not reach the files, it
// is the prefix's own scratch drive C:.

#include "ProgramRun.h"
#include "SampleInstallation.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A drive root holding the sample installation and the program, while it lives.
class DriveRootInstallation {
public:
    DriveRootInstallation() {
        if (runningUnderWine()) {
            root_ = L"C:\\";
            fs::copy(EXAMPLES_DIR, root_, fs::copy_options::recursive);
        } else {
            mapFreeLetter();
            if (root_.empty())
                return;
        }
        fs::copy_file(sample_.program(), root_ / "Engineering_Config.exe");
    }
    ~DriveRootInstallation() {
        if (!letter_.empty()) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, letter_.c_str(),
                             sample_.root().c_str());
        } else if (!root_.empty()) {
            std::error_code ignored;
            for (const char* name : {"Engineering", "parameter", "Engineering_Config.exe",
                                     "Engineering_Config.ini", "Engineering_Config.lock",
                                     "Q4Mcfglog.txt", "Engineering_Config_changes.txt", "backup"})
                fs::remove_all(root_ / name, ignored);
        }
    }
    DriveRootInstallation(const DriveRootInstallation&) = delete;
    DriveRootInstallation& operator=(const DriveRootInstallation&) = delete;

    // "X:\", or empty when no drive could be had.
    const fs::path& root() const { return root_; }
    fs::path scratch(std::string_view name) const { return sample_.scratch(name); }

private:
    void mapFreeLetter() {
        const DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Z'; letter >= L'M'; --letter) {
            const std::wstring name{letter, L':'};
            if ((used & (1u << (letter - L'A'))) != 0 ||
                !DefineDosDeviceW(0, name.c_str(), sample_.root().c_str()))
                continue;
            letter_ = name;
            root_ = name + L"\\";
            return;
        }
    }

    testsupport::SampleInstallation sample_{"root"};
    std::wstring letter_;
    fs::path root_;
};

} // namespace

TEST(DriveRoot, AProgramAtADriveRootWorksOnTheDrivesInstallation) {
    const DriveRootInstallation installation;
    if (installation.root().empty())
        GTEST_SKIP() << "no drive letter could be mapped";
    const fs::path root = installation.root();
    const std::string storedBefore = testsupport::readFile(root / "Engineering/Engineering.int");

    testsupport::ProgramRun run(root / "Engineering_Config.exe", {"/EXTERNAL", "SILENT"},
                                installation.scratch("root.stderr"));
    const testsupport::Ending ending = run.wait();
    ASSERT_TRUE(ending.exited) << testsupport::describe(ending);
    EXPECT_EQ(ending.status, 0) << ending.errorOutput
                                << testsupport::readFile(root / "Q4Mcfglog.txt");
    // The language file beside the program, the function files in X:\Engineering.
    EXPECT_TRUE(fs::is_regular_file(root / "Engineering_Config.ini"));
    EXPECT_NE(testsupport::readFile(root / "Engineering/Engineering.int"), storedBefore);
    EXPECT_NE(testsupport::readFile(root / "Engineering/Engineering.cfg").find("S_Prog="),
              std::string::npos);
    EXPECT_FALSE(fs::exists(root / "Q4Mcfglog.txt"));
}
