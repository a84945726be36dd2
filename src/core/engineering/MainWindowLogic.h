#pragma once
// What the main window does, without the window: loading, help mode, edit
// mode, the function buttons and the closing sequence. The logic is a client
// of the run: it loads the run, edits its function lists and commits it on OK
// (ConfigurationRun.h); the Qt window only shows what the logic tells its
// view. A silent run has no window and no logic at all.

#include "ConfigurationRun.h"
#include "DatabaseUpdate.h"
#include "EngineeringFunction.h"
#include "FunctionEditor.h"
#include "FunctionLists.h"
#include "MainWindowControls.h"

#include <string>

namespace engineering {

// The window as the logic sees it.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual void setCaption(const std::string& caption) = 0;
    // Loads the picture file onto button n; false when it cannot be decoded.
    virtual bool showPicture(int button, const std::string& path) = 0;
    virtual void setButtonEnabled(int button, bool enabled) = 0;
    virtual void setEditHighlighted(bool on) = 0;
    virtual void setHelpHighlighted(bool on) = 0;
    virtual void setOkCancelEnabled(bool enabled) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual void processPendingEvents() = 0;
};

class MainWindowLogic {
public:
    // editor may be null until setEditor (a missing editor opens nothing).
    MainWindowLogic(ConfigurationRun& run, MainWindowView& view, FunctionEditor* editor,
                    DatabaseUpdate& update);

    // Loads the run and shows its functions.
    void Form_Load();
    void CommandQuest_Click();
    void CommandEdit_Click();
    void Pic_Click(int index);
    // Commits the run and ends the program.
    void CommandOK_Click();
    void CommandCancel_Click();
    // Closing from the title bar: true when the window may close (the program then ends).
    bool Form_QueryUnload();

    void setEditor(FunctionEditor* editor) { editor_ = editor; }

    bool editMode() const { return EditMode; }
    const FunctionLists& lists() const { return run_.lists; }
    const std::string& caption() const { return caption_; }
    const texts::ControlTable& controls() const { return run_.controls; }

private:
    enum class MissingPictures { Report, AlreadyReported };
    void LoadButtonPictures(bool allEnabled, MissingPictures missing = MissingPictures::Report);
    void CloseMe();

    ConfigurationRun& run_;
    MainWindowView& view_;
    FunctionEditor* editor_;
    DatabaseUpdate& update_;
    bool EditMode = false;
    std::string caption_;
};

} // namespace engineering
