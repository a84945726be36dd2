#include "ButtonTable.h"

#include "ButtonOrigins.h"
#include "ReportText.h"
#include "SymbolNames.h"

#include "platform/Windows1252Text.h"

#include <algorithm>

namespace engineering {
namespace {

std::string number(int value) {
    return std::to_string(value);
}

std::string placement(const EngineeringFunction& f) {
    const std::string at = number(f.PPosLeft) + "," + number(f.PPosTop);
    switch (f.PPosMode) {
    case 0:
        return "0 centred";
    case 1:
        return "1 at " + at;
    case 2:
        return "2 at " + at + " size " + number(f.PPosWidth) + "x" + number(f.PPosHeight);
    case 3:
        return "3 full screen";
    case 4:
        return "4 between header and footer";
    default:
        return number(f.PPosMode);
    }
}

std::string logOn(const EngineeringFunction& f) {
    return f.PRemoteDeskTop ? "after " + number(f.PWaitBeforeLogin) + " s" : "no";
}

std::string ending(const EngineeringFunction& f) {
    const char* how = f.PEndMode == 2 ? " destroy" : f.PEndMode == 16 ? " close" : " quit";
    return number(f.PEndMode) + how + " after " + number(f.PEndTime) + " s" +
           (f.PEndWhenExitWindow ? ", with its window" : "");
}

ButtonTableRow rowOf(const FunctionLists& lists, int button) {
    const FunctionOrigin origin = buttonOrigin(lists, button);
    if (origin == FunctionOrigin::None)
        return {number(button), "", "", "", "", "", "", std::string(originName(origin))};
    const EngineeringFunction& f = lists.button(button);
    return {number(button),
            f.PEnabled ? "yes" : "no",
            reportText(storedSymbolName(f.PSymbolName)),
            reportText(f.PExeFunction),
            placement(f),
            logOn(f),
            ending(f),
            std::string(originName(origin))};
}

std::string csvField(const std::string& text) {
    const bool quoted = text.find_first_of(",\"") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return text;
    std::string field = "\"";
    for (const char c : text)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

} // namespace

std::vector<ButtonTableRow> buttonTable(const FunctionLists& lists) {
    std::vector<ButtonTableRow> rows{
        {"Button", "Enabled", "Symbol", "Program", "Window", "Log-on", "End", "Origin"}};
    for (int button = 1; button <= kButtonCount; ++button)
        rows.push_back(rowOf(lists, button));
    return rows;
}

std::string buttonTableText(const std::vector<ButtonTableRow>& rows) {
    std::array<std::size_t, kButtonTableColumns> widths{};
    for (const ButtonTableRow& row : rows)
        for (std::size_t c = 0; c < kButtonTableColumns; ++c)
            widths[c] = std::max(widths[c], platform::codePointCount(row[c]));
    std::string text;
    for (const ButtonTableRow& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < kButtonTableColumns; ++c) {
            line += row[c];
            if (c + 1 < kButtonTableColumns)
                line += std::string(widths[c] - platform::codePointCount(row[c]) + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

std::string buttonTableCsv(const std::vector<ButtonTableRow>& rows) {
    std::string text = "\xEF\xBB\xBF";
    for (const ButtonTableRow& row : rows) {
        for (std::size_t c = 0; c < kButtonTableColumns; ++c)
            text += (c ? "," : "") + csvField(row[c]);
        text += "\r\n";
    }
    return text;
}

} // namespace engineering
