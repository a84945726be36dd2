#include "TestInstallation.h"

#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/Logs.h"
#include "framework/ProfileFiles.h"
#include "framework/Text.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace testsupport {

TestInstallation::TestInstallation(std::string_view componentName) : component_(componentName) {
    std::random_device device;
    root_ = fs::temp_directory_path() /
            ("eng-test-" + std::to_string(device()) + "-" + std::to_string(device()));
    fs::create_directories(componentFolder());
    fs::create_directories(parameterFolder());

    framework::clearProfileCache();
#ifdef _WIN32
    fs::remove_all(faultLogFile());
#endif
}

TestInstallation::~TestInstallation() {
    std::error_code error;
#ifdef _WIN32
    fs::remove_all(faultLogFile(), error);
#endif
    framework::clearProfileCache();
    fs::remove_all(root_, error);
}

std::string TestInstallation::cfgPath() const {
    return (componentFolder() / (component_ + ".cfg")).string();
}

fs::path TestInstallation::faultLogFile() const {
#ifdef _WIN32
    return "C:\\HalvarServicePack.log"; // the platform's fixed place
#else
    return root_ / "HalvarServicePack.log";
#endif
}

std::string TestInstallation::faultLog() const {
    std::ifstream in(faultLogFile(), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void TestInstallation::write(std::string_view relative, std::string_view bytes) const {
    const fs::path target = root_ / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string TestInstallation::read(std::string_view relative) const {
    std::ifstream in(root_ / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TestInstallation::exists(std::string_view relative) const {
    return fs::exists(root_ / relative);
}

std::vector<std::string> TestInstallation::fileNames(std::string_view relative) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root_ / relative))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

framework::ProgramStart TestInstallation::start(std::string_view commandLine) const {
    return {std::string(commandLine), componentFolder().string(), component_ + "_Config"};
}

framework::ProgramState& TestInstallation::program() {
    return program_ ? *program_ : restart("");
}

framework::ProgramState& TestInstallation::restart(std::string_view commandLine) {
    program_.reset();
    program_ = std::make_unique<framework::ProgramState>(start(commandLine), &boxes);
    endByThrowing(*program_);
    return *program_;
}

void endByThrowing(framework::ProgramState& program) {
    program.terminate = [](int status) { throw framework::ProgramEnded{status}; };
}

int endStatus(const std::function<void()>& action) {
    try {
        action();
    } catch (const framework::ProgramEnded& ended) {
        return ended.status;
    }
    return -1;
}

std::string shownPath(const std::string& path) {
#ifdef _WIN32
    return framework::upperCase(path);
#else
    return path;
#endif
}

} // namespace testsupport
