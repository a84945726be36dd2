#pragma once
// Room for the keys of a hash table in blocks that never move, so that the
// table holds views of them rather than a string of its own for each: one
// allocation per block instead of one per key.

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace presetdb {

class KeyStore {
public:
    KeyStore() = default;
    // The keys go along; the store moved from is empty.
    KeyStore(KeyStore&& other) noexcept
        : blocks_(std::move(other.blocks_)), next_(std::exchange(other.next_, nullptr)),
          left_(std::exchange(other.left_, 0)) {}
    KeyStore& operator=(KeyStore&& other) noexcept {
        blocks_ = std::move(other.blocks_);
        other.blocks_.clear();
        next_ = std::exchange(other.next_, nullptr);
        left_ = std::exchange(other.left_, 0);
        return *this;
    }

    // A copy of key that lasts as long as the store.
    std::string_view keep(std::string_view key) {
        if (left_ < key.size()) {
            const std::size_t size = std::max(kBlockSize, key.size());
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
            next_ = blocks_.back().get();
            left_ = size;
        }
        const std::string_view kept(next_, key.size());
        std::memcpy(next_, key.data(), key.size());
        next_ += key.size();
        left_ -= key.size();
        return kept;
    }

private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace presetdb
