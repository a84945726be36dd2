#include "MainWindowLogic.h"

#include "ButtonPictures.h"
#include "framework/CommandLine.h"
#include "framework/ErrorProtocol.h"
#include "framework/FileSystem.h"
#include "framework/InstallationPaths.h"
#include "framework/Logs.h"
#include "framework/ProgramLocation.h"
#include "framework/ProgramState.h"
#include "FunctionFiles.h"
#include "PlainMessage.h"
#include "ReadInputs.h"
#include "texts/LanguageTexts.h"
#include "WriteInputs.h"

namespace engineering {
namespace {

using framework::programState;

} // namespace

MainWindowLogic::MainWindowLogic(MainWindowView* view, FunctionEditor* editor,
                                 DatabaseUpdate* update)
    : view_(view), editor_(editor), update_(update), controls_(mainWindowControls()) {}

void MainWindowLogic::Form_Load() {
    framework::Procedure procedure("Form_Load");
    // A function file that exists but cannot be read ends the run before
    // anything is written, the language file's missing keys included.
    procedure.step([&] {
        programState().StartModeIntegrated = framework::GetStartModeIntegrated();
        requireReadableFunctionFiles(framework::GetCFGPath(), procedure);
    });
    procedure.step([&] { dialogs::LoadToolTipTexts(controls_); });
    procedure.step(
        [&] { programState().StartModeIntegrated = framework::GetStartModeIntegrated(); });
    procedure.step([&] { ConfigIniPath = framework::GetQ4MConfigurationIniPath(); });
    procedure.step([&] {
        caption_ = mainWindowCaption(programState().StartModeIntegrated);
        if (view_ != nullptr)
            view_->setCaption(caption_);
    });
    procedure.step([&] { framework::GetExistingMachines(ConfigIniPath); });
    procedure.step([&] { SetupUserInterFace(); });
    procedure.step([&] {
        if (programState().SilentMode)
            CommandOK_Click();
        else if (view_ != nullptr)
            view_->setOkCancelEnabled(true);
    });
}

void MainWindowLogic::SetupUserInterFace() {
    framework::Procedure procedure("SetupUserInterFace");
    procedure.step([&] { ReadInputs(lists_, procedure); });
    procedure.step([&] { LoadButtonPictures(false); });
}

void MainWindowLogic::LoadButtonPictures(bool allEnabled) {
    for (int n = 1; n <= kButtonCount; ++n) {
        const EngineeringFunction& function = lists_.button(n);
        if (!function.PSymbolName.empty()) {
            const std::string path = buttonPicturePath(function);
            if (!framework::fileExists(path))
                showPlainMessage(function.PSymbolName + " not found");
            else if (view_ != nullptr && !view_->showPicture(n, path))
                showPlainMessage(function.PSymbolName + " cannot be shown: the picture is damaged");
        }
        if (view_ != nullptr)
            view_->setButtonEnabled(n, buttonEnabled(function, allEnabled));
    }
}

void MainWindowLogic::CommandQuest_Click() {
    bool& helpMode = programState().HelpMode;
    helpMode = !helpMode;
    if (view_ != nullptr)
        view_->setHelpHighlighted(helpMode);
}

void MainWindowLogic::CommandEdit_Click() {
    if (programState().HelpMode) {
        framework::ShowHelpText(kHelpCommandEdit);
        return;
    }
    EditMode = !EditMode;
    if (view_ != nullptr)
        view_->setEditHighlighted(EditMode);
    LoadButtonPictures(EditMode);
}

void MainWindowLogic::Pic_Click(int index) {
    if (programState().HelpMode) {
        framework::ShowHelpText(kHelpPic);
        return;
    }
    if (!EditMode || editor_ == nullptr)
        return;
    const auto edited = editor_->edit(lists_.button(index));
    if (!edited)
        return;
    storeEditedFunction(lists_, index, *edited);
    LoadButtonPictures(true);
}

void MainWindowLogic::CommandOK_Click() {
    if (programState().HelpMode) {
        framework::ShowHelpText(kHelpCommandOK);
        return;
    }
    framework::Procedure procedure("CommandOK_Click");
    procedure.step([&] {
        if (view_ != nullptr)
            view_->setOkCancelEnabled(false);
    });
    procedure.step([&] { CloseMe(); });
}

void MainWindowLogic::CloseMe() {
    framework::Procedure procedure("CloseMe");
    procedure.step([&] {
        if (view_ != nullptr)
            view_->processPendingEvents();
    });
    procedure.step([&] {
        if (view_ != nullptr)
            view_->setBusy(true);
    });
    procedure.step([&] {
        if (update_ != nullptr)
            update_->run();
    });
    procedure.step([&] { WriteInputs(lists_); });
    procedure.step([&] {
        if (view_ != nullptr)
            view_->setBusy(false);
    });
    framework::QuitProgram(framework::completionStatus());
}

void MainWindowLogic::CommandCancel_Click() {
    if (programState().HelpMode) {
        framework::ShowHelpText(kHelpCommandCancel);
        return;
    }
    framework::Procedure procedure("CommandCancel_Click");
    bool confirmed = false;
    procedure.step([&] { confirmed = framework::ConfirmCancelEdits(); });
    if (confirmed)
        framework::QuitProgram(framework::ExitOk);
}

bool MainWindowLogic::Form_QueryUnload() {
    framework::Procedure procedure("Form_QueryUnload");
    bool confirmed = false;
    procedure.step([&] { confirmed = framework::ConfirmCancelEdits(); });
    if (confirmed)
        framework::QuitProgram(framework::ExitOk);
    return confirmed;
}

} // namespace engineering
