#pragma once
// The update of the preset databases that the closing sequence runs before the
// function files are written, behind a seam so the window's logic is tested
// without databases.

namespace presetdb {
class UpdateObserver;
}

namespace engineering {

class DatabaseUpdate {
public:
    virtual ~DatabaseUpdate() = default;
    virtual void run() = 0;
};

// The real update: rebuilds the preset definitions and takes over the
// machine's values (WorkOnMDB, presetdb/PresetUpdate.h), telling the observer
// (if any) how far it is.
class PresetDatabaseUpdate final : public DatabaseUpdate {
public:
    explicit PresetDatabaseUpdate(presetdb::UpdateObserver* observer = nullptr)
        : observer_(observer) {}
    void run() override;

private:
    presetdb::UpdateObserver* observer_;
};

} // namespace engineering
