#include "Sha256.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <bcrypt.h>

#include <array>
#include <stdexcept>

namespace platform {
namespace {

void check(NTSTATUS status) {
    if (!BCRYPT_SUCCESS(status))
        throw std::runtime_error("SHA-256 failed");
}

struct Algorithm {
    BCRYPT_ALG_HANDLE handle = nullptr;
    Algorithm() {
        check(BCryptOpenAlgorithmProvider(&handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
    }
    ~Algorithm() { BCryptCloseAlgorithmProvider(handle, 0); }
};

struct Hash {
    BCRYPT_HASH_HANDLE handle = nullptr;
    explicit Hash(const Algorithm& algorithm) {
        check(BCryptCreateHash(algorithm.handle, &handle, nullptr, 0, nullptr, 0, 0));
    }
    ~Hash() { BCryptDestroyHash(handle); }
};

} // namespace

std::string sha256Hex(std::string_view bytes) {
    const Algorithm algorithm;
    const Hash hash(algorithm);
    // BCryptHashData takes at most a ULONG at a time.
    constexpr std::size_t kChunk = 1u << 30;
    for (std::size_t offset = 0; offset < bytes.size(); offset += kChunk) {
        const std::string_view chunk = bytes.substr(offset, kChunk);
        check(BCryptHashData(hash.handle, reinterpret_cast<PUCHAR>(const_cast<char*>(chunk.data())),
                             ULONG(chunk.size()), 0));
    }
    std::array<unsigned char, 32> digest{};
    check(BCryptFinishHash(hash.handle, digest.data(), ULONG(digest.size()), 0));
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

} // namespace platform
