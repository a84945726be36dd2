#include "presetdb/PreviousDatabase.h"

#include "framework/Text.h"

namespace presetdb {

void PreviousDatabase::close() {
    rows_.reset();
    positionsByName_.clear();
    indexState_ = IndexState::NotBuilt;
    database_.reset();
}

void PreviousDatabase::buildIndex() {
    // Marked first: a failure below is reported once, by the replacement that met it.
    indexState_ = IndexState::Unusable;
    Recordset rows = Recordset::openTable(database(), "PRESET_DEFS");
    varNameField_ = rows.fieldIndex("var_name");
    for (std::size_t i = 0; i < rows.recordCount(); ++i) {
        rows.move(i);
        const Value& name = rows.value(varNameField_);
        if (name.isText())
            positionsByName_[framework::upperCase(name.text())].push_back(i);
    }
    rows_ = std::move(rows);
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
        rows_->move(position);
        if (rows_->value(varNameField_) == renamed)
            continue; // stored exactly so already: writing it again changes nothing
        rows_->edit();
        rows_->setValue(varNameField_, renamed);
        rows_->update();
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
