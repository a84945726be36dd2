#include "FileSystem.h"

#include "PlatformFiles.h"

#include <system_error>

namespace fs = std::filesystem;

namespace platform {
namespace {

bool isHidden(const fs::path& path) {
    const std::string name = utf8Text(path.filename());
    return !name.empty() && name.front() == '.';
}

} // namespace

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool fileExists(std::string_view path) {
    if (path.empty())
        return false;
    // Most names are spelled as the files exist: one look then does. A name
    // there is found under that spelling by nativePath too.
    const fs::path spelled = withNativeSeparators(path);
    std::error_code error;
    if (const fs::file_status status = fs::status(spelled, error); fs::exists(status))
        return fs::is_regular_file(status) && !isHidden(spelled);
    const fs::path real = nativePath(path);
    return fs::is_regular_file(real, error) && !isHidden(real);
}

namespace {

// Why a file that did not open for reading is not read: a name that exists
// (a folder, a FIFO, a dangling link, a file without permission) is no
// missing file.
FileKind notOpened(const fs::path& real) {
    std::error_code error;
    return fs::exists(fs::symlink_status(real, error)) ? FileKind::Unreadable : FileKind::Missing;
}

// Opens a file for reading under its name as spelled, which is how most
// names are spelled, or else under the name nativePath finds; real is the
// name tried last.
OpenFile openForReading(std::string_view path, fs::path& real) {
    real = withNativeSeparators(path);
    OpenFile file = openRegularForReading(real);
    if (file.isOpen())
        return file;
    fs::path resolved = nativePath(path);
    if (resolved == real)
        return file;
    real = std::move(resolved);
    return openRegularForReading(real);
}

// Whether a name stands for a hidden file; letter case does not change that.
bool hiddenName(std::string_view path) {
    return isHidden(withNativeSeparators(path));
}

} // namespace

FileKind probeFile(std::string_view path) {
    return readFile(path, 0).kind;
}

std::optional<std::string> readFileBytes(std::string_view path) {
    fs::path real;
    const OpenFile file = openForReading(path, real);
    std::string bytes;
    if (!file.isOpen() || !platform::readAll(file, bytes))
        return std::nullopt;
    return bytes;
}

FileRead readFile(std::string_view path, std::size_t limit) {
    if (path.empty() || hiddenName(path))
        return {};
    fs::path real;
    const OpenFile file = openForReading(path, real);
    if (!file.isOpen())
        return {notOpened(real), {}};
    FileRead read{FileKind::Readable, {}};
    if (!platform::readAll(file, read.bytes, limit))
        return {FileKind::Unreadable, {}};
    return read;
}

std::string cannotReadMessage(std::string_view path) {
    return "Cannot read " + utf8Text(nativePath(path)); // as it exists, letter case included
}

bool appendToFile(std::string_view path, std::string_view bytes) {
    platform::OpenFile file = platform::openRegularForAppending(nativePath(path));
    return file.isOpen() && platform::writeAll(file, bytes) && file.close();
}

bool appendToPlainFile(std::string_view path, std::string_view bytes) {
    platform::OpenFile file = platform::openPlainForAppending(nativePath(path));
    return file.isOpen() && platform::writeAll(file, bytes) && file.close();
}

bool removeFile(std::string_view path) {
    std::error_code error;
    return fs::remove(nativePath(path), error);
}

std::vector<std::string> listFiles(std::string_view folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(nativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) && !isHidden(it->path()))
            names.push_back(utf8Text(it->path().filename()));
    }
    return names;
}

} // namespace platform
