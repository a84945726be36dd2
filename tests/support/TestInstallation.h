#pragma once
// A scratch installation for one test: <root>/Engineering is the program's
// folder, <root>/parameter beside it, and a scratch folder for a test's
// by-products outside it. A run on it in the test's process is started as the
// program would start there: message boxes go to a fake, and an ended program
// throws ProgramEnded. SampleInstallation.h fills one with the sample
// installation and the built program.

#include "TestData.h"

#include "run/ProgramState.h"
#include "run/Reporter.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// The reporter of a test's run with a window: told its next answers, it
// records what it was asked instead of showing a box.
struct AskedBox {
    std::string title, text;
    bool question;
    run::DefaultButton defaultButton;
};

class FakeReporter final : public run::Reporter {
public:
    // Answers for the next questions, in order; a question with no answer left gets the default.
    void answer(bool yes) { answers_.push_back(yes); }

    bool ask(const run::Message& question, run::DefaultButton defaultButton,
             std::string_view) override {
        asked.push_back({question.title, question.text, true, defaultButton});
        if (answers_.empty())
            return defaultButton == run::DefaultButton::Yes;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    void tell(const run::Message& message) override {
        asked.push_back({message.title, message.text, false, run::DefaultButton::Yes});
    }

    std::vector<AskedBox> asked;

private:
    std::deque<bool> answers_;
};

class TestInstallation {
public:
    explicit TestInstallation(std::string_view name = "test");
    ~TestInstallation();
    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path componentFolder() const { return root_ / "Engineering"; }
    std::filesystem::path parameterFolder() const { return root_ / "parameter"; }
    // A place for a test's by-products, outside the installation.
    std::filesystem::path scratch(std::string_view name) const { return scratch_ / name; }
    // The path with the platform's separators only (relative names use "/").
    std::string path(std::string_view relative) const {
        return (root_ / relative).make_preferred().string();
    }
    std::string cfgPath() const { return path("Engineering/Engineering.cfg"); }

    // Writes a file relative to the root (folders created), bytes as given.
    void write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const { return readFile(root_ / relative); }
    bool exists(std::string_view relative) const {
        return std::filesystem::exists(root_ / relative);
    }
    // The names in a folder relative to the root, sorted.
    std::vector<std::string> fileNames(std::string_view relative) const;
    // The error log and the fault log (on Windows C:\HalvarServicePack.log,
    // which each test installation starts without, so that tests using it
    // run one at a time there).
    std::string errorLog() const { return read("Q4Mcfglog.txt"); }
    std::string faultLog() const { return readFile(faultLogFile()); }
    std::filesystem::path faultLogFile() const;

    // How the program in the component folder starts with this command line.
    run::ProgramStart start(std::string_view commandLine = "") const;
    // The state of a run on the installation, started with the
    // command line of the last restart (none at first).
    run::ProgramState& program();
    // Starts that run anew, with another command line (and so start mode).
    run::ProgramState& restart(std::string_view commandLine);

    FakeReporter boxes;

private:
    std::filesystem::path scratch_;
    std::filesystem::path root_;
    std::unique_ptr<run::ProgramState> program_;
};

// Lets a test observe the end of the program: terminate throws ProgramEnded.
void endByThrowing(run::ProgramState& program);

// The status the program ended with while running action; -1 if it did not end.
int endStatus(const std::function<void()>& action);

// A real path as the program's messages show it: upper-cased on Windows,
// where that names the same file, and as it is elsewhere.
std::string shownPath(const std::string& path);

} // namespace testsupport
