#include "ProfileFiles.h"

#include "FileSystem.h"
#include "Text.h"

#include <map>

namespace framework {
namespace {

struct CachedFile {
    FileStamp stamp;
    IniDocument document;
};

// Parsed files by real path. Only a cache: every use checks the file's stamp.
std::map<std::string, CachedFile>& cache() {
    static std::map<std::string, CachedFile> files;
    return files;
}

const IniDocument& cachedDocument(std::string_view file) {
    static const IniDocument kEmpty;
    // Most names are spelled as stored: one look at the file then does.
    auto real = withNativeSeparators(file);
    auto stamp = fileStamp(real);
    if (!stamp) {
        real = nativePath(file);
        stamp = fileStamp(real);
    }
    auto& files = cache();
    const std::string key = real.string();
    if (!stamp) {
        files.erase(key);
        return kEmpty;
    }
    if (auto it = files.find(key); it != files.end() && it->second.stamp == *stamp)
        return it->second.document;
    const auto bytes = readFileBytes(file);
    if (!bytes) {
        files.erase(key);
        return kEmpty;
    }
    auto& entry = files[key];
    entry = CachedFile{*stamp, IniDocument::parse(*bytes)};
    return entry.document;
}

void remember(std::string_view file, IniDocument document) {
    const auto real = nativePath(file);
    if (const auto stamp = fileStamp(real))
        cache()[real.string()] = CachedFile{*stamp, std::move(document)};
    else
        cache().erase(real.string());
}

} // namespace

std::optional<std::int32_t> leadingProfileInteger(std::string_view value) {
    if (value.empty())
        return std::nullopt;
    std::size_t pos = 0;
    bool negative = false;
    if (value[pos] == '+' || value[pos] == '-') {
        negative = value[pos] == '-';
        ++pos;
    }
    std::uint32_t number = 0;
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos)
        number = number * 10u + std::uint32_t(value[pos] - '0');
    if (negative)
        number = 0u - number;
    return static_cast<std::int32_t>(number);
}

std::string profileReadString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t size,
                              std::string_view file) {
    const auto value = cachedDocument(file).value(section, key);
    const std::string_view text =
        value ? std::string_view(*value) : trimTrailingBlanks(defaultValue);
    if (size == 0)
        return {};
    return std::string(leadingCodePoints(text, size - 1));
}

std::int32_t profileReadInt(std::string_view section, std::string_view key,
                            std::int32_t defaultValue, std::string_view file) {
    const auto value = cachedDocument(file).value(section, key);
    if (!value)
        return defaultValue;
    return leadingProfileInteger(*value).value_or(defaultValue);
}

bool profileWriteString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> text, std::string_view file) {
    IniDocument document = cachedDocument(file);
    const bool exists = fileStamp(nativePath(file)).has_value();
    if (!document.set(section, key, text) && (exists || !text))
        return canReplaceFile(file);
    return storeIniDocument(file, document);
}

IniDocument loadIniDocument(std::string_view file) {
    return cachedDocument(file);
}

bool storeIniDocument(std::string_view file, const IniDocument& document) {
    if (!writeFileAtomically(file, document.bytes()))
        return false;
    remember(file, document);
    return true;
}

void clearProfileCache() {
    cache().clear();
}

} // namespace framework
