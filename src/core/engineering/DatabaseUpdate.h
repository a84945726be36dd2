#pragma once
// The update of the preset databases that the closing sequence runs before the
// function files are written, behind a seam so the window's logic is tested
// without databases.

namespace presetdb {
class UpdateObserver;
}

namespace engineering {

class ConfigurationRun;

class DatabaseUpdate {
public:
    virtual ~DatabaseUpdate() = default;
    virtual void run() = 0;
};

// The real update of the run: rebuilds the preset definitions and takes over
// the machine's values (WorkOnMDB, presetdb/PresetUpdate.h), telling the
// observer (if any) how far it is.
class PresetDatabaseUpdate final : public DatabaseUpdate {
public:
    explicit PresetDatabaseUpdate(ConfigurationRun& configuration,
                                  presetdb::UpdateObserver* observer = nullptr)
        : configuration_(configuration), observer_(observer) {}
    void run() override;

private:
    ConfigurationRun& configuration_;
    presetdb::UpdateObserver* observer_;
};

} // namespace engineering
