#pragma once
// The messages this program says beyond the original ones (the installation's
// lock, a missing display, the help mode's missing text, the commands on the
// stored buttons, the Access databases), in the language of the language file (LanguageTexts.h).
//
// Each message has a key, an English and a German text built in (the table in
// ProgramMessages.cpp). The language file's [Language] Language picks them:
// "1031" the German texts, any other code, or none, the English ones. A key
// in the section of that language ([1031] MsgLockBusy=...) replaces the
// built-in text, so a translator changes a message without a new program;
// "0" and "" leave it built in, as for the window's texts. The file is only
// read here, never written.
//
// A text may hold %1, %2, ...: the values given for it, in that order.
//
// A new message is an enumerator here and a row of the table.

#include "ini/IniDocument.h"
#include "ini/ProfileFiles.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace texts {

enum class Message {
    LockBusy,         // another run holds the installation
    LockWait,         // %1: seconds
    LockFailed,       // %1: why
    NoDisplay,        // a window asked for where there is none
    NoWindowModule,   // %1: why the window module did not load
    NoHelp,           // help mode on a control without help text
    DryRunNoCopy,     // the dry run's scratch copy failed
    CannotImport,     // %1: file, %2: the refusals
    ImportUnreadable, // the refusals of an import file
    ImportNoExport,
    ImportChecksum,
    ImportButtonRange,  // %1: section, %2: button
    ImportButtonTwice,  // %1: section, %2: button
    ImportNoSymbol,     // %1: button, %2: symbol
    OutputLink,         // %1: file
    OutputNotWritten,   // %1: file
    CompareOtherLocked, // %1: folder, %2: why
    AccessSource,       // %1: the source database
    ConvertNothing,     // %1, %2: the two databases
    ConvertDone,        // %1: the converted databases
    ConvertFailed,      // %1: why
    Interrupted,        // %1: folder
    Count
};

struct MessageRow {
    Message message;
    std::string_view key;
    std::string_view english;
    std::string_view german;
};

class ProgramMessages {
public:
    // The English texts.
    ProgramMessages();
    // The texts of the language code, as stored, with the file's replacements.
    ProgramMessages(std::string_view language, const ini::IniDocument& file);

    const std::string& text(Message message) const;
    // The text with %1, %2, ... replaced by the values.
    std::string text(Message message, std::initializer_list<std::string_view> values) const;

private:
    std::array<std::string, std::size_t(Message::Count)> texts_;
};

// The table: one row per message, in the enumeration's order.
const std::array<MessageRow, std::size_t(Message::Count)>& messageTable();

// The messages of the program in executableFolder, from its language file
// (read only, through the run's INI cache, which keeps it for the language
// texts); the English ones when the file is missing or unreadable.
ProgramMessages readProgramMessages(std::string_view executableFolder,
                                    std::string_view executableBaseName,
                                    ini::ProfileCache& profiles);

// "waiting up to 30 s for another run of this installation (process 4711,
// started 2026-12-06 22:50:01)"; without the parentheses when the holder is
// unknown.
std::string lockWaitMessage(const ProgramMessages& messages, std::string_view holder,
                            std::chrono::milliseconds wait);

} // namespace texts
