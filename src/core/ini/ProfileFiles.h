#pragma once
// A portable replacement of the platform's three profile functions, with the
// rules of IniDocument.h and these of their own:
//
//  - Files are named by their full path; no default folder is searched.
//  - A missing file reads as a file without sections. A file that exists but
//    cannot be read (a folder, FIFO, device or dangling link in its place, no
//    read permission, a read error) reads the same way but is never written:
//    profileWriteString and storeIniDocument fail for it and leave it as it
//    is, so its content is never replaced by a file holding only the new key.
//  - profileReadString gives at most size - 1 characters. A missing file,
//    section or entry gives the default with its trailing blanks removed; an
//    entry with an empty value gives "".
//  - profileReadInt takes the decimal number the value begins with, after the
//    blanks and tabs that removing its quotes left at its start (" 8" reads
//    8), with an optional "+" or "-", wrapping modulo 2^32 as the platform's
//    unsigned result does (4294967295 reads as -1). A value that begins with
//    no digit reads as 0; a missing entry or an empty value gives the default.
//  - profileWriteString creates the file and the section when needed and
//    replaces the whole file atomically. It fails (false) for an edit the
//    document refuses (nothing is written), a missing folder, a folder in
//    place of the file, a write-protected or an unreadable file. A missing
//    text removes the entry (true also when it was absent).
//
// A ProfileCache keeps parsed files against their size, time and identity, so
// repeated reads and writes through it do not parse a file again while
// nothing else changed it; after a write it holds what a fresh parse of the
// written bytes gives. A run owns one; a call without one parses the file.
// While a ProfileCache::Steady lives (the installation is locked and the
// run writes its INI files through this cache), a file read once is taken
// as it was, without looking at it again for every key.

#include "IniDocument.h"

#include "platform/FileSystem.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ini {

class ProfileCache {
public:
    class Steady {
    public:
        explicit Steady(ProfileCache& cache) : cache_(cache) { cache_.steady_ = true; }
        ~Steady() {
            cache_.steady_ = false;
            cache_.seen_.clear();
        }
        Steady(const Steady&) = delete;
        Steady& operator=(const Steady&) = delete;

    private:
        ProfileCache& cache_;
    };

    // The parsed file: empty when it is missing, null when it exists but
    // cannot be read (a folder, FIFO, dangling link, no read permission, a
    // read error).
    const IniDocument* document(std::string_view file);
    // Writes the bytes atomically and keeps what a fresh read of them gives.
    bool store(std::string_view file, const std::string& bytes);

private:
    // The file's document, parsed again when its stamp changed.
    const IniDocument* look(std::string_view file);
    void forget(const std::string& key);
    struct CachedFile {
        platform::FileStamp stamp;
        IniDocument document;
    };
    std::map<std::string, CachedFile> files_;
    // In a steady period: the documents found for the names asked for.
    bool steady_ = false;
    std::map<std::string, const IniDocument*, std::less<>> seen_;
};

std::string profileReadString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t size,
                              std::string_view file, ProfileCache* cache = nullptr);
// The same read on a document held in memory.
std::string profileReadString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t size,
                              const IniDocument& document);
std::int32_t profileReadInt(std::string_view section, std::string_view key,
                            std::int32_t defaultValue, std::string_view file,
                            ProfileCache* cache = nullptr);
bool profileWriteString(std::string_view section, std::string_view key,
                        std::optional<std::string_view> text, std::string_view file,
                        ProfileCache* cache = nullptr);

// The file as a document (empty when missing or unreadable), for callers that
// apply many edits and then store the file once.
IniDocument loadIniDocument(std::string_view file);
// Replaces the file with the document's bytes, atomically; fails for a file
// that exists but cannot be read.
bool storeIniDocument(std::string_view file, const IniDocument& document);

// The number a value begins with, by the profile reader's integer rule;
// nothing when the value is empty.
std::optional<std::int32_t> leadingProfileInteger(std::string_view value);

} // namespace ini
