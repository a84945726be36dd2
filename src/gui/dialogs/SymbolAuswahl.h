#pragma once
// The modal picker of a function's symbol picture.
//
// The caller sets SymbolName (the function's symbol, marked green when it is
// shown) and SymbolNummer := 0, shows the picker modally and reads
// SymbolNummer: the 1-based entry of the run's symbol list that was
// clicked, or 0 when nothing was chosen ("Abbruch", the close box, Escape).
// Each showing starts at the top row. What the slots show and return is
// SymbolPickerSlots's (see SymbolPickerSlots.h); the mouse wheel over the slots
// scrolls as the scroll bar does.

#include "editing/SymbolPickerSlots.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class QPushButton;
class QScrollBar;

namespace widgets {
class PictureBox;
}

namespace engineering {
class ConfigurationRun;
}

namespace dialogs {

class SymbolAuswahl : public QDialog {
    Q_OBJECT
public:
    // The run's symbol list and installation folder are read while it shows.
    explicit SymbolAuswahl(const engineering::ConfigurationRun& run, QWidget* parent = nullptr);
    ~SymbolAuswahl() override;

    std::string SymbolName;
    std::int16_t SymbolNummer = 0;

protected:
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Form_Load();
    void ShowSymbols();
    void Scroll_Change(int value);
    void Bild_Click(int slot);
    void CommandEsc_Click();

    const engineering::ConfigurationRun& run_;
    std::optional<editing::SymbolPickerSlots> selection_;
    std::array<widgets::PictureBox*, editing::kSlotCount> bild_{};
    QScrollBar* scroll_ = nullptr;
    QPushButton* commandEsc_ = nullptr;
};

} // namespace dialogs
