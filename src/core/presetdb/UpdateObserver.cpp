#include "UpdateObserver.h"

#include <algorithm>

namespace presetdb {

void Pacer::stage(std::int64_t from, std::int64_t to, std::size_t count) {
    from_ = from;
    to_ = to;
    count_ = count;
    done_ = 0;
    if (observer_ != nullptr)
        observer_->progress(from_, kProgressTotal);
}

void Pacer::lookAtClock() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < interval_)
        return;
    last_ = now;
    const std::int64_t share =
        count_ == 0 ? 0
                    : (to_ - from_) * std::int64_t(std::min(done_, count_)) / std::int64_t(count_);
    observer_->progress(from_ + share, kProgressTotal);
    observer_->keepResponsive();
}

void Pacer::finish() {
    if (observer_ != nullptr)
        observer_->progress(kProgressTotal, kProgressTotal);
}

} // namespace presetdb
