#pragma once
// Message boxes for tests: told their next answers, record what they were asked.

#include "framework/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace testsupport {

struct AskedBox {
    std::string title;
    std::string text;
    framework::MessageIcon icon;
    bool question;
    framework::DefaultButton defaultButton;
};

class FakeMessageBoxes final : public framework::MessageBoxes {
public:
    // Answers for the next questions, in order; a question with no answer left gets the default.
    void answer(bool yes) { answers_.push_back(yes); }

    bool askYesNo(const std::string& title, const std::string& text, framework::MessageIcon icon,
                  framework::DefaultButton defaultButton) override {
        asked.push_back({title, text, icon, true, defaultButton});
        if (answers_.empty())
            return defaultButton == framework::DefaultButton::Yes;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    void inform(const std::string& title, const std::string& text,
                framework::MessageIcon icon) override {
        asked.push_back({title, text, icon, false, framework::DefaultButton::Yes});
    }

    std::vector<AskedBox> asked;

private:
    std::deque<bool> answers_;
};

} // namespace testsupport
