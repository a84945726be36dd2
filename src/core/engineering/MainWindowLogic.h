#pragma once
// What the main window does, without the window: loading, help mode, edit
// mode, the function buttons and the closing sequence. The Qt window only
// shows what this logic tells its view; a silent run has no view at all and
// never touches a window system.

#include "DatabaseUpdate.h"
#include "EngineeringFunction.h"
#include "FunctionEditor.h"
#include "FunctionLists.h"
#include "MainWindowControls.h"

#include <optional>
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
    // view, editor and update may be null (a silent run has no view; a
    // missing editor opens nothing; a missing update skips the databases).
    MainWindowLogic(MainWindowView* view, FunctionEditor* editor, DatabaseUpdate* update);

    // Loading; in a silent run it goes on into the closing sequence and ends the program.
    void Form_Load();
    void CommandQuest_Click();
    void CommandEdit_Click();
    void Pic_Click(int index);
    void CommandOK_Click();
    void CommandCancel_Click();
    // Closing from the title bar: true when the window may close (the program then ends).
    bool Form_QueryUnload();

    void setEditor(FunctionEditor* editor) { editor_ = editor; }
    void setDatabaseUpdate(DatabaseUpdate* update) { update_ = update; }

    bool editMode() const { return EditMode; }
    const FunctionLists& lists() const { return lists_; }
    FunctionLists& lists() { return lists_; }
    const std::string& caption() const { return caption_; }
    dialogs::ControlTable& controls() { return controls_; }
    const dialogs::ControlTable& controls() const { return controls_; }

private:
    void SetupUserInterFace();
    void LoadButtonPictures(bool allEnabled);
    void CloseMe();

    MainWindowView* view_;
    FunctionEditor* editor_;
    DatabaseUpdate* update_;
    FunctionLists lists_;
    dialogs::ControlTable controls_;
    bool EditMode = false;
    std::string ConfigIniPath;
    std::string caption_;
};

} // namespace engineering
