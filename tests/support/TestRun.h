#pragma once
// A run of the program on a test installation, built as main() builds one:
// its message boxes go to the installation's fake, and an ended program
// throws ProgramEnded.

#include "TestInstallation.h"

#include "engineering/ConfigurationRun.h"

#include <string_view>

namespace testsupport {

class TestRun : public engineering::ConfigurationRun {
public:
    explicit TestRun(TestInstallation& installation, std::string_view commandLine = "")
        : ConfigurationRun(installation.start(commandLine), &installation.boxes) {
        endByThrowing(program);
    }
};

} // namespace testsupport
