#include "SilentReporter.h"

#include "Logs.h"

namespace run {

void SilentReporter::tell(const Message& message) {
    LogFault(program_, message.text);
}

bool SilentReporter::ask(const Message&, DefaultButton, std::string_view unattended) {
    LogFault(program_, std::string(unattended));
    return true;
}

} // namespace run
