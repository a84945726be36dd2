#include "MainWindowLogic.h"

#include "ButtonPictures.h"
#include "PlainMessage.h"

#include "platform/FileSystem.h"
#include "run/ErrorProtocol.h"
#include "run/Logs.h"
#include "run/ProgramLocation.h"

namespace engineering {

MainWindowLogic::MainWindowLogic(ConfigurationRun& run, MainWindowView& view,
                                 FunctionEditor* editor, DatabaseUpdate& update)
    : run_(run), view_(view), editor_(editor), update_(update) {}

void MainWindowLogic::Form_Load() {
    run::Procedure procedure(run_.program, "Form_Load");
    procedure.step([&] { run_.load(); });
    procedure.step([&] {
        caption_ = mainWindowCaption(run_.program);
        view_.setCaption(caption_);
    });
    // Loading has reported the missing pictures already.
    procedure.step([&] { LoadButtonPictures(false, MissingPictures::AlreadyReported); });
    procedure.step([&] { view_.setOkCancelEnabled(true); });
}

void MainWindowLogic::LoadButtonPictures(bool allEnabled, MissingPictures missing) {
    const std::string folder = run::installationFolder(run_.program);
    for (int n = 1; n <= kButtonCount; ++n) {
        const EngineeringFunction& function = run_.lists.button(n);
        if (!function.PSymbolName.empty()) {
            const std::string path = buttonPicturePath(folder, function);
            if (!platform::fileExists(path)) {
                if (missing == MissingPictures::Report)
                    showPlainMessage(run_.program, missingPictureMessage(function));
            } else if (!view_.showPicture(n, path)) {
                showPlainMessage(run_.program, damagedPictureMessage(function));
            }
        }
        view_.setButtonEnabled(n, buttonEnabled(function, allEnabled));
    }
}

void MainWindowLogic::CommandQuest_Click() {
    bool& helpMode = run_.program.HelpMode;
    helpMode = !helpMode;
    view_.setHelpHighlighted(helpMode);
}

void MainWindowLogic::CommandEdit_Click() {
    if (run_.program.HelpMode) {
        run::ShowHelpText(run_.program, kHelpCommandEdit,
                          run_.messages.text(texts::Message::NoHelp));
        return;
    }
    EditMode = !EditMode;
    view_.setEditHighlighted(EditMode);
    LoadButtonPictures(EditMode);
}

void MainWindowLogic::Pic_Click(int index) {
    if (run_.program.HelpMode) {
        run::ShowHelpText(run_.program, kHelpPic, run_.messages.text(texts::Message::NoHelp));
        return;
    }
    if (!EditMode || editor_ == nullptr)
        return;
    const auto edited = editor_->edit(run_.lists.button(index));
    if (!edited)
        return;
    storeEditedFunction(run_.lists, index, *edited);
    LoadButtonPictures(true);
}

void MainWindowLogic::CommandOK_Click() {
    if (run_.program.HelpMode) {
        run::ShowHelpText(run_.program, kHelpCommandOK, run_.messages.text(texts::Message::NoHelp));
        return;
    }
    run::Procedure procedure(run_.program, "CommandOK_Click");
    procedure.step([&] { view_.setOkCancelEnabled(false); });
    procedure.step([&] { CloseMe(); });
}

void MainWindowLogic::CloseMe() {
    run::Procedure procedure(run_.program, "CloseMe");
    procedure.step([&] { view_.processPendingEvents(); });
    procedure.step([&] { view_.setBusy(true); });
    procedure.step([&] { run_.commit(update_); });
    procedure.step([&] { view_.setBusy(false); });
    run::QuitProgram(run_.program, run::completionStatus(run_.program));
}

void MainWindowLogic::CommandCancel_Click() {
    if (run_.program.HelpMode) {
        run::ShowHelpText(run_.program, kHelpCommandCancel,
                          run_.messages.text(texts::Message::NoHelp));
        return;
    }
    run::Procedure procedure(run_.program, "CommandCancel_Click");
    bool confirmed = false;
    procedure.step([&] { confirmed = run::ConfirmCancelEdits(run_.program); });
    if (confirmed)
        run::QuitProgram(run_.program, run::ExitOk);
}

bool MainWindowLogic::Form_QueryUnload() {
    run::Procedure procedure(run_.program, "Form_QueryUnload");
    bool confirmed = false;
    procedure.step([&] { confirmed = run::ConfirmCancelEdits(run_.program); });
    if (confirmed)
        run::QuitProgram(run_.program, run::ExitOk);
    return confirmed;
}

} // namespace engineering
