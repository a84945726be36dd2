#pragma once
// Where a run's messages and questions go. The run chooses one reporter when
// it is built: message boxes when it has a window (the windows' own
// implementation), the logs in a silent run (SilentReporter.h). Code that
// reports says what to tell or ask and never which kind of run it is in.

#include <string>
#include <string_view>

namespace run {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };
enum class DefaultButton { Yes, No };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
};

class Reporter {
public:
    virtual ~Reporter() = default;
    // A message with an OK button; without anyone to read it, a fault-log line
    // with the text.
    virtual void tell(const Message& message) = 0;
    // A question with the buttons Yes and No; true for Yes. Without anyone to
    // answer, the fault log gets `unattended` and the answer is Yes.
    virtual bool ask(const Message& question, DefaultButton defaultButton,
                     std::string_view unattended) = 0;
};

} // namespace run
