#include "FunctionFilesFixture.h"

#include "engineering/RuntimeConfiguration.h"

namespace {

using engineering::EngineeringFunction;
using engineering::rebuildRuntimeConfiguration;
using Buttons = std::array<EngineeringFunction, engineering::kButtonCount>;

Buttons onlyButton1() {
    Buttons all{};
    all[0] = enginetest::edited(1, "C:\\Tools\\tool1.exe");
    return all;
}

std::string rebuilt(std::string_view old, const Buttons& buttons,
                    const engineering::OtherContentEdit& edit = {}) {
    return rebuildRuntimeConfiguration(old, buttons, edit).bytes();
}

// The lines of button 1's section after its header.
std::string button1Body() {
    const std::string alone = rebuilt("", onlyButton1());
    const std::string header = "[Function1]\r\n";
    return alone.substr(alone.find(header) + header.size());
}

// A rebuild of its own result, with the same buttons and the same edits of
// the other content, gives the same bytes: nothing grows from run to run.
TEST(RuntimeConfiguration, ASecondRebuildChangesNothing) {
    Buttons buttons = onlyButton1();
    buttons[4] = enginetest::edited(5, "C:\\Tools\\tool5.exe");
    const auto stamp = [](ini::IniDocument& other) {
        other.set("Info", "S_Prog", "1.0.0 - Standalone");
        other.set("Info", "S_Editor", "4A");
    };
    const std::string special = "[Function1]\r\nWhereICome=Panel\r\nSpecialKey=52\r\n";
    const std::string button = "[Function2]\r\nWhereICome=x\r\nSpecialKey=1\r\n";
    const std::string cases[] = {
        "[Project]\r\nX=1\r\n" + button,
        "[Project]\r\nX=1\r\n\r\n" + button + "\r\n\r\n",
        "[Project]\r\nX=1\r\n\r\n\r\n" + special + "\r\n" + button,
        "[Project]\r\nX=1\r\n" + button + special + "\r\n",
        "[Project]\nX=1\n\t\n",
        "[Project]\r\nX=1",
        button + "\r\n[Info]\r\nS_Prog=0\r\n\r\n",
        special,
        "",
    };
    for (const std::string& old : cases) {
        for (const bool stamped : {false, true}) {
            const auto edit = stamped ? engineering::OtherContentEdit(stamp) : nullptr;
            const std::string first = rebuilt(old, buttons, edit);
            EXPECT_EQ(rebuilt(first, buttons, edit), first) << (stamped ? "stamped: " : "") << old;
        }
    }
    // A blank line that ends the other content is the empty line before the sections.
    EXPECT_EQ(rebuilt(cases[1], buttons).substr(0, 31), "[Project]\r\nX=1\r\n\r\n[Function1]\r\n");
    // A missing Info section is added before the function sections.
    const std::string stamped = rebuilt("[Project]\r\nX=1", buttons, stamp);
    EXPECT_EQ(stamped.substr(0, stamped.find("[Function1]")),
              "[Project]\r\nX=1\r\n[Info]\r\nS_Prog=1.0.0 - Standalone\r\nS_Editor=4A\r\n\r\n");
}

// Other content keeps its bytes, and what stood between function sections
// moves before them; special-key sections (49 and above) stay, before the
// buttons, whatever the letter case of their names and keys.
TEST(RuntimeConfiguration, RebuildKeepsOtherContentAndSpecialKeySections) {
    const std::string other = "; comment line\n[Project]  \r\n  ValidMachines = ALL ; \r"
                              "broken [line\r\n\t\r\n";
    const std::string moved = "[UserFunctions]\r\nFunction1=notepad.exe\r\n[Info]\r\nS_Prog=old";
    EXPECT_EQ(rebuilt(other +
                          "[function3]\r\nSpecialKey=2\r\n[FUNCTION7]\r\nspecialkey = \"61\"\r\n" +
                          moved,
                      onlyButton1()),
              other + moved + "\r\n\r\n[Function1]\r\nspecialkey = \"61\"\r\n\r\n[Function2]\r\n" +
                  button1Body());
}

} // namespace
