#pragma once
// The main window: the 48 function buttons of the panel's engineering screen
// in a grid of 8 columns of 6, with Edit, the help button, OK and Cancel. It is
// built from the run's control table and does only what MainWindowLogic tells
// it.

#include "engineering/MainWindowLogic.h"

#include <array>
#include <map>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QPushButton;

namespace mainwindow {

class MainWindow final : public QWidget, private engineering::MainWindowView {
    Q_OBJECT
public:
    // editor may be null until the logic is given one (setEditor).
    MainWindow(engineering::ConfigurationRun& run, engineering::FunctionEditor* editor,
               engineering::DatabaseUpdate& update, QWidget* parent = nullptr);

    // Loads the run and shows its functions.
    void load();

    engineering::MainWindowLogic& logic() { return logic_; }
    QPushButton* functionButton(int n) const { return pics_.at(std::size_t(n - 1)); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFromControls();
    void applyControlTexts();
    QWidget* createControl(const texts::ControlEntry& entry, QWidget* container);
    void setTabOrder();

    // MainWindowView
    void setCaption(const std::string& caption) override;
    bool showPicture(int button, const std::string& path) override;
    void setButtonEnabled(int button, bool enabled) override;
    void setEditHighlighted(bool on) override;
    void setHelpHighlighted(bool on) override;
    void setOkCancelEnabled(bool enabled) override;
    void setBusy(bool busy) override;
    void processPendingEvents() override;

    engineering::MainWindowLogic logic_;
    std::map<std::string, QWidget*> widgets_; // by name, for single controls
    std::array<QPushButton*, engineering::kButtonCount> pics_{};
    bool busy_ = false;
};

} // namespace mainwindow
