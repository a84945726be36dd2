#pragma once
// The reporter of a silent run: nobody sees a box, so every message and
// question goes to the fault log (and, when no log can take it, to standard
// error; see Logs.h), and every question is answered Yes.

#include "Reporter.h"

namespace run {

class ProgramState;

class SilentReporter final : public Reporter {
public:
    explicit SilentReporter(ProgramState& program) : program_(program) {}

    void tell(const Message& message) override;
    bool ask(const Message& question, DefaultButton defaultButton,
             std::string_view unattended) override;

private:
    ProgramState& program_;
};

} // namespace run
