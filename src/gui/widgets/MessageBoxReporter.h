#pragma once
// The reporter of a run with a window: Qt message boxes, modal, over the
// window they are given (none until the main window exists).

#include "run/Reporter.h"

class QWidget;

namespace widgets {

class MessageBoxReporter final : public run::Reporter {
public:
    explicit MessageBoxReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void tell(const run::Message& message) override;
    bool ask(const run::Message& question, run::DefaultButton defaultButton,
             std::string_view unattended) override;

private:
    QWidget* parent_;
};

// Message texts break lines with LF CR or CR LF; a box shows one line break for either.
std::string displayText(const std::string& text);

} // namespace widgets
