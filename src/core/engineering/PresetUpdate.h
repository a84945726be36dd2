#pragma once
// The update of the preset databases that the closing sequence runs before the
// function files are written, behind a seam so the window's logic is tested
// without databases.

namespace presetdb {
class UpdateObserver;
}

namespace engineering {

class ConfigurationRun;

class PresetUpdate {
public:
    virtual ~PresetUpdate() = default;
    virtual void run() = 0;
};

// The real update of the run: rebuilds the preset definitions and takes over
// the machine's values (WorkOnMDB), telling the observer (if any) how far it is.
class DatabaseUpdate final : public PresetUpdate {
public:
    explicit DatabaseUpdate(ConfigurationRun& configuration,
                            presetdb::UpdateObserver* observer = nullptr)
        : configuration_(configuration), observer_(observer) {}
    void run() override;

private:
    ConfigurationRun& configuration_;
    presetdb::UpdateObserver* observer_;
};

} // namespace engineering
