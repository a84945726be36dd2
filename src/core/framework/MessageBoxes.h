#pragma once
// The one way the program shows a message box. The program installs a Qt
// adapter; tests install a fake that is told its next answers and records what
// it was asked. Silent runs never reach it.

#include <string>

namespace framework {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class DefaultButton { Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A question with the buttons Yes and No; returns true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text, MessageIcon icon,
                          DefaultButton defaultButton) = 0;
    // A message with an OK button.
    virtual void inform(const std::string& title, const std::string& text, MessageIcon icon) = 0;
};

} // namespace framework
