#include "StoredFunctionFile.h"

#include "FunctionFields.h"
#include "FunctionLists.h"
#include "SymbolNames.h"

#include "run/IniAccess.h"

namespace engineering {
namespace {

std::string sectionName(int k) {
    return "Function" + std::to_string(k);
}

class SectionWriter {
public:
    SectionWriter(ini::IniDocument& document, std::string section)
        : document_(document), section_(std::move(section)) {}
    void operator()(std::string_view key, const run::IniValue& value) {
        document_.set(section_, key, writableText(section_, key, value));
    }
    void remove(std::string_view key) { document_.set(section_, key, std::nullopt); }

private:
    ini::IniDocument& document_;
    std::string section_;
};

} // namespace

StoredFunctionsWritten
writeStoredFunctions(ini::IniDocument& document,
                     const std::array<EngineeringFunction, kButtonCount>& buttons,
                     int sectionsReadAtStart) {
    for (int i = 1; i <= sectionsReadAtStart; ++i)
        document.set(sectionName(i), "WhereICome", "");

    StoredFunctionsWritten written;
    for (int i = 1; i <= kButtonCount; ++i) {
        const EngineeringFunction& f = buttons[std::size_t(i - 1)];
        if (f.PExeFunction.empty())
            continue;
        SectionWriter write(document, sectionName(++written.sectionCount));
        for (const std::string_view key : kStoredFunctionKeys) {
            if (key == "WhereICome") {
                write(key, std::string(kWhereIComeEngineeringPicture));
            } else if (key == "SymbolName") {
                if (f.PSymbolName.empty()) {
                    written.buttonsWithoutSymbol.push_back(i);
                    write.remove(key);
                } else {
                    write(key, storedSymbolName(f.PSymbolName));
                }
            } else {
                write(key, fieldValue(f, functionField(key)));
            }
        }
    }

    const std::string next = sectionName(written.sectionCount + 1);
    if (!document.value(next, "WhereICome").value_or("").empty())
        document.set(next, "WhereICome", "");
    return written;
}

} // namespace engineering
