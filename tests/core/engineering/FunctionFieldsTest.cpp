// The field table as every reader and writer of function sections uses it.

#include "FunctionFilesFixture.h"

#include "engineering/FunctionFields.h"
#include "engineering/FunctionSection.h"
#include "engineering/RuntimeConfiguration.h"
#include "engineering/StoredFunctionFile.h"
#include "engineering/SymbolNames.h"

#include <filesystem>
#include <vector>

namespace enginetest {
namespace {

using engineering::EngineeringFunction;
using engineering::FunctionField;
using engineering::kFunctionFields;

// The keys of a section's entries, in file order.
std::vector<std::string> keysOfSection(const std::string& bytes, std::string_view section) {
    std::vector<std::string> keys;
    const std::string header = "[" + std::string(section) + "]\r\n";
    auto at = bytes.find(header);
    if (at == std::string::npos)
        return keys;
    for (at += header.size(); at < bytes.size() && bytes[at] != '[' && bytes[at] != '\r';) {
        const auto end = bytes.find("\r\n", at);
        keys.push_back(bytes.substr(at, bytes.find('=', at) - at));
        at = end + 2;
    }
    return keys;
}

// A record whose one field differs from the base: another text, 16 (a valid
// end mode), or the other truth value.
EngineeringFunction withChangedField(EngineeringFunction f, const FunctionField& field) {
    struct Change {
        EngineeringFunction& f;
        std::string_view key;
        void operator()(engineering::StringMember m) const { f.*m = "changed " + std::string(key); }
        void operator()(engineering::IntegerMember m) const { f.*m = 16; }
        void operator()(engineering::BooleanMember m) const { f.*m = !(f.*m); }
    };
    std::visit(Change{f, field.key}, field.member);
    return f;
}

// Each writer writes every key of its own order, nothing else; each field,
// changed alone, is read back from both files into its own member (the .cfg
// has no Enabled: it reads as false; the stored file always says
// "EngineeringPicture").
TEST_F(FunctionFilesTest, EveryFieldIsWrittenToBothFilesAndReadBackIntoItsMember) {
    const EngineeringFunction base = edited(5, "base.exe");
    for (const FunctionField& field : kFunctionFields) {
        SCOPED_TRACE(field.key);
        engineering::FunctionLists lists;
        lists.button(5) = withChangedField(base, field);
        install.write(kCfg, "[Project]\r\n");
        std::filesystem::remove(install.path(kInt));
        engineering::WriteInputs(program(), lists);

        const std::string stored = install.read(kInt);
        const std::string cfg = install.read(kCfg);
        EXPECT_EQ(keysOfSection(stored, "Function1"),
                  std::vector<std::string>(engineering::kStoredFunctionKeys.begin(),
                                           engineering::kStoredFunctionKeys.end()));
        EngineeringFunction expected = lists.button(5);
        expected.PWhereICome = "EngineeringPicture";
        expected.PSymbolName = engineering::storedSymbolName(expected.PSymbolName);
        expected.PStandard = true;
        EXPECT_EQ(
            engineering::readFunctionSection(program(), "Function1", install.path(kInt), true),
            expected);

        if (!expected.PEnabled) {
            EXPECT_EQ(cfg.find("[Function"), std::string::npos);
            continue;
        }
        EXPECT_EQ(keysOfSection(cfg, "Function1"),
                  std::vector<std::string>(engineering::kRuntimeFunctionKeys.begin(),
                                           engineering::kRuntimeFunctionKeys.end()));
        expected.PEnabled = false;
        EXPECT_EQ(
            engineering::readFunctionSection(program(), "Function1", install.path(kCfg), true),
            expected);
    }
}

} // namespace
} // namespace enginetest
