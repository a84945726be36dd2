#include "TestInstallation.h"

#include "ini/ProfileFiles.h"
#include "platform/Windows1252Text.h"
#include "run/ErrorProtocol.h"

#include <algorithm>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace testsupport {

TestInstallation::TestInstallation(std::string_view name) {
    std::random_device device;
    scratch_ = fs::temp_directory_path() / ("eng-" + std::string(name) + "-" +
                                            std::to_string(device()) + std::to_string(device()));
    root_ = scratch_ / "installation";
    fs::create_directories(componentFolder());
    fs::create_directories(parameterFolder());
#ifdef _WIN32
    fs::remove_all(faultLogFile());
#endif
}

TestInstallation::~TestInstallation() {
    std::error_code ignored;
#ifdef _WIN32
    fs::remove_all(faultLogFile(), ignored);
#endif
    fs::remove_all(scratch_, ignored);
}

fs::path TestInstallation::faultLogFile() const {
#ifdef _WIN32
    return "C:\\HalvarServicePack.log"; // the platform's fixed place
#else
    return root_ / "HalvarServicePack.log";
#endif
}

void TestInstallation::write(std::string_view relative, std::string_view bytes) const {
    const fs::path target = root_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<std::string> TestInstallation::fileNames(std::string_view relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / relative))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

run::ProgramStart TestInstallation::start(std::string_view commandLine) const {
    return {std::string(commandLine), componentFolder().string(), "Engineering_Config"};
}

run::ProgramState& TestInstallation::program() {
    return program_ ? *program_ : restart("");
}

run::ProgramState& TestInstallation::restart(std::string_view commandLine) {
    program_.reset();
    program_ = std::make_unique<run::ProgramState>(start(commandLine), &boxes);
    endByThrowing(*program_);
    return *program_;
}

void endByThrowing(run::ProgramState& program) {
    program.terminate = [](int status) { throw run::ProgramEnded{status}; };
}

int endStatus(const std::function<void()>& action) {
    try {
        action();
    } catch (const run::ProgramEnded& ended) {
        return ended.status;
    }
    return -1;
}

std::string shownPath(const std::string& path) {
#ifdef _WIN32
    return platform::upperCase(path);
#else
    return path;
#endif
}

} // namespace testsupport
