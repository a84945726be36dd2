#pragma once
// The program's message boxes on Qt Widgets.

#include "framework/MessageBoxes.h"

class QWidget;

namespace framework {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    bool askYesNo(const std::string& title, const std::string& text, MessageIcon icon,
                  DefaultButton defaultButton) override;
    void inform(const std::string& title, const std::string& text, MessageIcon icon) override;

private:
    QWidget* parent_;
};

// Message texts break lines with LF CR or CR LF; a box shows one line break for either.
std::string displayText(const std::string& text);

} // namespace framework
