#include "PreviousDatabase.h"

#include "framework/Text.h"

namespace presetdb {

void PreviousDatabase::close() {
    rename_.reset();
    rowids_.clear();
    names_.clear();
    positionsByName_.clear();
    indexState_ = IndexState::NotBuilt;
    database_.reset();
}

void PreviousDatabase::buildIndex() {
    // Marked first: a failure below is reported once, by the replacement that met it.
    indexState_ = IndexState::Unusable;
    Statement rows = database().prepare("SELECT _rowid_, var_name FROM PRESET_DEFS");
    Statement rename =
        database().prepare("UPDATE PRESET_DEFS SET var_name = ?1 WHERE _rowid_ = ?2");
    while (rows.step()) {
        Value name = rows.column(1);
        if (!name.isText())
            continue;
        positionsByName_[framework::upperCase(name.text())].push_back(rowids_.size());
        rowids_.push_back(rows.column(0).integer());
        names_.push_back(name.text());
    }
    rename_ = std::move(rename);
    indexState_ = IndexState::Ready;
}

void PreviousDatabase::renameVariable(std::string_view oldName, std::string_view newName) {
    if (!isOpen())
        return;
    if (indexState_ == IndexState::NotBuilt)
        buildIndex();
    if (indexState_ != IndexState::Ready)
        return;

    const auto found = positionsByName_.find(framework::upperCase(oldName));
    if (found == positionsByName_.end())
        return;
    const Value renamed{std::string(newName)};
    for (const std::size_t position : found->second) {
        if (names_[position] == newName)
            continue; // stored exactly so already: writing it again changes nothing
        rename_->bind(1, renamed);
        rename_->bind(2, Value(rowids_[position]));
        rename_->run();
        names_[position] = newName;
    }
    std::string newKey = framework::upperCase(newName);
    if (newKey == found->first)
        return;
    std::vector<std::size_t> moved = std::move(found->second);
    positionsByName_.erase(found);
    auto& target = positionsByName_[std::move(newKey)];
    target.insert(target.end(), moved.begin(), moved.end());
}

} // namespace presetdb
