#pragma once
// The reporter of a test's run with a window: told its next answers, it
// records what it was asked instead of showing a box.

#include "framework/Reporter.h"

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

class FakeReporter final : public framework::Reporter {
public:
    // Answers for the next questions, in order; a question with no answer left gets the default.
    void answer(bool yes) { answers_.push_back(yes); }

    bool ask(const framework::Message& question, framework::DefaultButton defaultButton,
             std::string_view) override {
        asked.push_back({question.title, question.text, question.icon, true, defaultButton});
        if (answers_.empty())
            return defaultButton == framework::DefaultButton::Yes;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    void tell(const framework::Message& message) override {
        asked.push_back(
            {message.title, message.text, message.icon, false, framework::DefaultButton::Yes});
    }

    std::vector<AskedBox> asked;

private:
    std::deque<bool> answers_;
};

} // namespace testsupport
