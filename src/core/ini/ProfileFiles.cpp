#include "ProfileFiles.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"

#include <algorithm>
#include <map>

namespace ini {
namespace {

const IniDocument kEmptyDocument;

} // namespace

const IniDocument* ProfileCache::document(std::string_view file) {
    if (const auto found = seen_.find(file); found != seen_.end())
        return found->second;
    const IniDocument* document = look(file);
    if (steady_)
        seen_.emplace(std::string(file), document);
    return document;
}

const IniDocument* ProfileCache::look(std::string_view file) {
    // Most names are spelled as stored: one look at the file then does.
    auto real = platform::withNativeSeparators(file);
    auto stamp = platform::fileStamp(real);
    if (!stamp) {
        real = platform::nativePath(file);
        stamp = platform::fileStamp(real);
    }
    const std::string key = platform::utf8Text(real);
    if (!stamp) {
        forget(key);
        return platform::probeFile(file) == platform::FileKind::Unreadable ? nullptr
                                                                           : &kEmptyDocument;
    }
    if (auto it = files_.find(key); it != files_.end() && it->second.stamp == *stamp)
        return &it->second.document;
    const auto bytes = platform::readFileBytes(file);
    if (!bytes) {
        forget(key);
        return nullptr;
    }
    auto& entry = files_[key];
    entry = CachedFile{*stamp, IniDocument::parse(*bytes)};
    return &entry.document;
}

void ProfileCache::forget(const std::string& key) {
    files_.erase(key);
    seen_.clear(); // another name may have found the entry
}

bool ProfileCache::store(std::string_view file, const std::string& bytes) {
    seen_.clear(); // a name may have found the file missing
    if (!platform::writeFileAtomically(file, bytes))
        return false;
    const auto real = platform::nativePath(file);
    if (const auto stamp = platform::fileStamp(real))
        files_[platform::utf8Text(real)] = CachedFile{*stamp, IniDocument::parse(bytes)};
    else
        forget(platform::utf8Text(real));
    return true;
}

std::optional<std::int32_t> leadingProfileInteger(std::string_view value) {
    if (value.empty())
        return std::nullopt;
    // Blanks can be left at the start when quotes were removed (" 8").
    std::size_t pos = std::min(value.find_first_not_of(" \t"), value.size());
    bool negative = false;
    if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) {
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
                              std::string_view file, ProfileCache* cache) {
    ProfileCache once;
    const IniDocument* document = (cache ? *cache : once).document(file);
    return profileReadString(section, key, defaultValue, size,
                             document ? *document : kEmptyDocument);
}

std::string profileReadString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t size,
                              const IniDocument& document) {
    auto value = document.value(section, key);
    if (size == 0)
        return {};
    if (!value)
        return std::string(
            platform::leadingCodePoints(platform::trimTrailingBlanks(defaultValue), size - 1));
    const std::string_view kept = platform::leadingCodePoints(*value, size - 1);
    if (kept.size() == value->size())
        return std::move(*value);
    return std::string(kept);
}

std::int32_t profileReadInt(std::string_view section, std::string_view key,
                            std::int32_t defaultValue, std::string_view file, ProfileCache* cache) {
    ProfileCache once;
    const IniDocument* document = (cache ? *cache : once).document(file);
    const auto value = document ? document->value(section, key) : std::nullopt;
    if (!value)
        return defaultValue;
    return leadingProfileInteger(*value).value_or(defaultValue);
}

bool profileWriteString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> text, std::string_view file,
                        ProfileCache* cache) {
    if (IniDocument::refusal(section, key, text))
        return false;
    ProfileCache once;
    ProfileCache& files = cache ? *cache : once;
    const IniDocument* cached = files.document(file);
    if (!cached)
        return false;
    IniDocument document = *cached;
    // Unchanged: the entry already holds the text, or an absent one is removed.
    if (!document.set(section, key, text))
        return platform::canReplaceFile(file);
    return files.store(file, document.bytes());
}

IniDocument loadIniDocument(std::string_view file) {
    ProfileCache once;
    const IniDocument* document = once.document(file);
    return document ? *document : IniDocument{};
}

bool storeIniDocument(std::string_view file, const IniDocument& document) {
    if (platform::probeFile(file) == platform::FileKind::Unreadable)
        return false;
    return ProfileCache{}.store(file, document.bytes());
}

} // namespace ini
