#include "ReportText.h"

namespace engineering {

std::string reportText(std::string_view utf8) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (byte < 0x20 || byte == 0x7F)
            shown += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        else
            shown += c;
    }
    return shown;
}

std::string quotedReportText(std::string_view utf8) {
    return "\"" + reportText(utf8) + "\"";
}

} // namespace engineering
