#include "IniAccess.h"

#include "ErrorProtocol.h"
#include "ini/ProfileFiles.h"
#include "Logs.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252Text.h"
#include "ProgramState.h"

#include <cstdio>
#include <limits>
#include <locale>

namespace run {
namespace {

constexpr std::size_t kBufferSize = 255;
const std::string kDefaultBlanks(255, ' ');

std::string formatFloat(double value, int significantDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", significantDigits, value);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.')
            c = localeDecimalSeparator();
    return text;
}

struct TextOf {
    std::string operator()(std::int16_t v) const { return std::to_string(v); }
    std::string operator()(std::int32_t v) const { return std::to_string(v); }
    std::string operator()(std::uint8_t v) const { return std::to_string(v); }
    std::string operator()(float v) const { return formatFloat(v, 7); }
    std::string operator()(double v) const { return formatFloat(v, 15); }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(bool v) const { return v ? "true" : "false"; }
    std::string operator()(IniEmpty) const { return {}; }
    std::string operator()(IniNull) const { return {}; }
};

bool isWritable(const IniValue& value) {
    return !std::holds_alternative<IniEmpty>(value) && !std::holds_alternative<IniNull>(value);
}

// The text to write, or nothing (reported) when the value cannot be written.
std::optional<std::string> writableText(ProgramState& program, const IniValue& value,
                                        std::string_view section, std::string_view key) {
    if (!isWritable(value)) {
        ReportFault(program, "Ini Save:  wrong data type");
        return std::nullopt;
    }
    std::string text = iniText(value);
    if (const auto refusal = ini::IniDocument::refusal(section, key, text)) {
        ReportFault(program, "Ini Save:  " + *refusal);
        return std::nullopt;
    }
    return text;
}

std::string writeFailure(std::string_view file) {
    const std::string quoted = "'" + std::string(file) + "'";
    if (platform::probeFile(file) == platform::FileKind::Unreadable)
        return "Ini Save:  " + quoted + " cannot be read and is left as it is";
    return "Ini Save:  " + quoted + " cannot be written";
}

} // namespace

char localeDecimalSeparator() {
    static const char separator = [] {
        try {
            return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
        } catch (const std::exception&) {
            return '.';
        }
    }();
    return separator;
}

std::string iniText(const IniValue& value) {
    std::string text = std::visit(TextOf{}, value);
    if (std::holds_alternative<std::string>(value))
        return text;
    return std::string(platform::trimBlanks(text));
}

std::string missingEntryMessage(std::string_view file, std::string_view section,
                                std::string_view key) {
    return "File '" + std::string(file) + "' or Section [" + std::string(section) + "] or Entry '" +
           std::string(key) + "' not found";
}

std::string LoadIniString(ProgramState& program, std::string_view section, std::string_view key,
                          std::string_view file, bool reportMissing) {
    Procedure procedure(program, "LoadIniString");
    std::string value;
    procedure.step([&] {
        value = ini::profileReadString(section, key, kDefaultBlanks, kBufferSize, file,
                                       &program.profiles);
    });
    procedure.step([&] {
        if (value.empty() && reportMissing)
            ReportFault(program, missingEntryMessage(file, section, key));
    });
    return value;
}

std::int16_t LoadIniInteger(ProgramState& program, std::string_view section, std::string_view key,
                            std::string_view file, bool reportMissing) {
    Procedure procedure(program, "LoadIniInteger");
    std::int16_t result = 0;
    procedure.step([&] {
        const std::int32_t read = ini::profileReadInt(section, key, -1, file, &program.profiles);
        if (read < std::numeric_limits<std::int16_t>::min() ||
            read > std::numeric_limits<std::int16_t>::max())
            throw Failure(ErrOverflow, "Overflow");
        result = static_cast<std::int16_t>(read);
    });
    procedure.step([&] {
        if (result == -1 && reportMissing)
            ReportFault(program, missingEntryMessage(file, section, key));
    });
    return result;
}

bool LoadIniBoolean(ProgramState& program, std::string_view section, std::string_view key,
                    std::string_view file, bool reportMissing) {
    Procedure procedure(program, "LoadIniBoolean");
    std::string text;
    procedure.step([&] {
        text = platform::upperCase(ini::profileReadString(section, key, kDefaultBlanks, kBufferSize,
                                                          file, &program.profiles));
    });
    procedure.step([&] {
        if (text != "TRUE" && text != "FALSE" && reportMissing)
            ReportFault(program, missingEntryMessage(file, section, key));
    });
    return text == "TRUE";
}

std::int16_t SaveIni(ProgramState& program, const IniValue& value, std::string_view section,
                     std::string_view key, std::string_view file) {
    Procedure procedure(program, "SaveIni");
    std::int16_t result = 0;
    procedure.step([&] {
        const auto text = writableText(program, value, section, key);
        if (!text)
            return;
        if (ini::profileWriteString(section, key, *text, file, &program.profiles))
            result = 1;
        else
            ReportFault(program, writeFailure(file));
    });
    return result;
}

std::string LoadIniString(std::string_view section, std::string_view key,
                          const ini::IniDocument& document) {
    return ini::profileReadString(section, key, kDefaultBlanks, kBufferSize, document);
}

std::int16_t SaveIni(ProgramState& program, const IniValue& value, std::string_view section,
                     std::string_view key, ini::IniDocument& document) {
    Procedure procedure(program, "SaveIni");
    std::int16_t result = 0;
    procedure.step([&] {
        if (const auto text = writableText(program, value, section, key)) {
            document.set(section, key, *text);
            result = 1;
        }
    });
    return result;
}

} // namespace run
