#pragma once
// A copy of the sample installation with the built program in its component
// folder, for tests that run the program as a process; and what a test reads
// back from it: text files line by line, databases by their content.

#include "ProgramRun.h"
#include "TestInstallation.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace testsupport {

class SampleInstallation : public TestInstallation {
public:
    explicit SampleInstallation(const std::string& name);

    std::filesystem::path component() const { return componentFolder(); }
    std::filesystem::path program() const; // the built program's copy
    // A file of the component folder.
    std::string file(std::string_view name) const { return readFile(component() / name); }

    Ending run(const std::vector<std::string>& arguments) const;
    Ending runSilently() const { return run({"/EXTERNAL", "SILENT"}); }

    // Puts the sample's files back: everything but the program goes.
    void restore() const;

    // Files an interrupted run left anywhere in the installation:
    // "." + name + ".tmp" + digits.
    std::vector<std::string> temporaries() const;

private:
    void placeBuilt(const std::filesystem::path& built) const;
};

// The rows of a query, each as text, in the order given.
std::vector<std::string> queryRows(sqlite3* database, const std::string& sql);

// What a database holds: the schema, then every table's rows sorted (or only
// those of onlyTable). Opened for writing, so that a journal left by a killed
// run is rolled back first, as any reader would.
std::vector<std::string> databaseContent(const std::filesystem::path& path,
                                         const std::string& onlyTable = {});

} // namespace testsupport
