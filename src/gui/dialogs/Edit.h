#pragma once
// The modal dialog that edits one engineering function.
//
// The caller puts the function into the dialog's working copy (function()),
// calls Aufbauen, shows the dialog modally and reads the working copy back
// when Status is kStatusOk. Every change in a control is stored into its
// field at once; a number box stores the normalised number of its text at
// every change (see NormalizeInteger.h) and shows that number when the
// operator leaves it or presses Return, so that "-5", "2.5" or "&H10" can be
// typed key by key. The combo boxes change their field only when the operator
// picks an entry. Filling the controls stores nothing, so fields that have no
// control or no entry (a position or end mode without an entry) come back as
// they went in. The dialog reads and writes no file and shows no message.
//
// Closing: OK gives kStatusOk, Cancel kStatusCancel; the close box and Escape
// leave Status at kStatusClosed and the caller discards the edit.

#include "engineering/EngineeringFunction.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace editing {
class FileChooser;
}
namespace widgets {
class PictureBox;
}

namespace engineering {
class ConfigurationRun;
}

namespace dialogs {

class Edit : public QDialog {
    Q_OBJECT
public:
    static constexpr std::int16_t kStatusClosed = 0;
    static constexpr std::int16_t kStatusOk = 13;
    static constexpr std::int16_t kStatusCancel = 27;

    // run: its symbol list and installation folder give the symbols to pick
    // and show. files: the chooser a double-click on the program box opens
    // (not owned, it must outlive the dialog); null for the platform's file
    // dialog.
    explicit Edit(const engineering::ConfigurationRun& run, QWidget* parent = nullptr,
                  editing::FileChooser* files = nullptr);
    ~Edit() override;

    std::int16_t Status = kStatusClosed;

    // The working copy: the twenty fields of the function record.
    engineering::EngineeringFunction& function() { return function_; }
    const engineering::EngineeringFunction& function() const { return function_; }

    // Fills every control from the working copy and sets Status to kStatusClosed.
    void Aufbauen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void chainTabOrder();
    void connectHandlers();
    // Connects a change signal to a handler that runs for the operator's
    // changes only, not for the filling.
    template <typename Sender, typename Signal, typename Handler>
    void onChange(Sender* sender, Signal signal, Handler handler);
    void showSymbol();
    void numberBoxChanged(const QLineEdit& box, std::int16_t& field);
    void numberBoxFinished(QLineEdit& box);

    void EinEnabled_Click();
    void CheckRemoteDesktop_Click();
    void CheckEndWhenExit_Click();
    void TextExe_Change();
    void TextWindow1_Change();
    void TextWindow2_Change();
    void TextRemote_Change(int element);
    void TextPosition_Change(int element);
    void TextEndTime_Change();
    void ComboPosModus_Click(int listPosition);
    void ComboEndeMode_Click(int listPosition);
    void TextExe_DblClick();
    void EinSymbol_Click();
    void CommandOK_Click();
    void CommandCancel_Click();

    const engineering::ConfigurationRun& run_;
    engineering::EngineeringFunction function_;
    std::unique_ptr<editing::FileChooser> ownFiles_;
    editing::FileChooser* files_;
    bool filling_ = false;

    QCheckBox* einEnabled_ = nullptr;
    widgets::PictureBox* einSymbol_ = nullptr;
    QCheckBox* checkRemoteDesktop_ = nullptr;
    std::array<QLineEdit*, 2> textRemote_{};
    QComboBox* comboPosModus_ = nullptr;
    std::array<QLineEdit*, 4> textPosition_{};
    QComboBox* comboEndeMode_ = nullptr;
    QLineEdit* textEndTime_ = nullptr;
    QCheckBox* checkEndWhenExit_ = nullptr;
    QLineEdit* textExe_ = nullptr;
    QLineEdit* textWindow1_ = nullptr;
    QLineEdit* textWindow2_ = nullptr;
    QPushButton* commandOK_ = nullptr;
    QPushButton* commandCancel_ = nullptr;
};

} // namespace dialogs
