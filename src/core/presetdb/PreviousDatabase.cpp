#include "PreviousDatabase.h"

#include "CaseFolding.h"

namespace presetdb {

void PreviousDatabase::close() {
    rename_.reset();
    rows_.clear();
    chainByName_.clear();
    names_ = KeyStore();
    indexState_ = IndexState::NotBuilt;
    database_.reset();
    changed_ = false;
}

void PreviousDatabase::renameColumn(std::string_view table, std::string_view oldName,
                                    std::string_view newName) {
    changed_ = true;
    database().renameColumn(table, oldName, newName);
}

void PreviousDatabase::buildIndex() {
    // Marked first: a failure below is reported once, by the replacement that met it.
    indexState_ = IndexState::Unusable;
    {
        Statement count = database().prepare("SELECT count(*) FROM PRESET_DEFS");
        count.step();
        const auto rowCount = std::size_t(count.view(0).integer);
        rows_.reserve(rowCount);
        chainByName_.reserve(rowCount);
    }
    Statement rows = database().prepare("SELECT _rowid_, var_name FROM PRESET_DEFS");
    Statement rename =
        database().prepare("UPDATE PRESET_DEFS SET var_name = ?1 WHERE _rowid_ = ?2");
    while (rows.step()) {
        const ValueView name = rows.view(1);
        if (!name.isText())
            continue;
        upperCaseInto(lookup_, name.bytes);
        link(lookup_, {rows_.size(), rows_.size()});
        rows_.push_back({rows.view(0).integer, kNone});
    }
    rename_ = std::move(rename);
    indexState_ = IndexState::Ready;
}

void PreviousDatabase::link(std::string_view key, Chain chain) {
    const auto found = chainByName_.find(key);
    if (found == chainByName_.end()) {
        chainByName_.emplace(names_.keep(key), chain);
        return;
    }
    rows_[found->second.last].nextOfName = chain.first;
    found->second.last = chain.last;
}

void PreviousDatabase::renameVariable(std::string_view oldName, std::string_view newName) {
    if (!isOpen())
        return;
    if (indexState_ == IndexState::NotBuilt)
        buildIndex();
    if (indexState_ != IndexState::Ready)
        return;

    upperCaseInto(lookup_, oldName);
    const auto found = chainByName_.find(lookup_);
    if (found == chainByName_.end())
        return;
    const Chain chain = found->second;
    const Value renamed{std::string(newName)};
    for (std::size_t row = chain.first; row != kNone; row = rows_[row].nextOfName) {
        changed_ = true;
        rename_->bind(1, renamed);
        rename_->bind(2, Value(rows_[row].rowid));
        rename_->run();
    }
    upperCaseInto(given_, newName);
    if (given_ == found->first)
        return;
    chainByName_.erase(found);
    link(given_, chain);
}

} // namespace presetdb
