#include "FunctionFilesFixture.h"

#include "engineering/ButtonPictures.h"
#include "engineering/MainWindowControls.h"

namespace enginetest {
namespace {

using engineering::ButtonPicture;
using engineering::EngineeringFunction;

TEST_F(FunctionFilesTest, ButtonPictureIsLoadedFromTheInstallationFolder) {
    install.write("Engineering/Pump_800.gif", "GIF89a-pump");
    EngineeringFunction f;
    f.PSymbolName = "Engineering\\Pump_800.gif";
    EXPECT_EQ(engineering::buttonPicturePath(f),
              install.root().string() + "/Engineering\\Pump_800.gif");
    engineering::FunctionLists lists;
    lists.button(17) = f;
    EXPECT_EQ(engineering::buttonPicturePath(lists, 17), engineering::buttonPicturePath(f));
    const ButtonPicture picture = engineering::readButtonPicture(f);
    EXPECT_EQ(picture.state, ButtonPicture::State::Loaded);
    EXPECT_EQ(picture.bytes, "GIF89a-pump");
    EXPECT_TRUE(install.boxes.asked.empty());
}

TEST_F(FunctionFilesTest, MissingButtonPictureIsToldAtEveryLoad) {
    EngineeringFunction f;
    EXPECT_EQ(engineering::readButtonPicture(f).state, ButtonPicture::State::NoSymbol);
    f.PSymbolName = "Engineering\\Gone_800.gif";
    EXPECT_EQ(engineering::readButtonPicture(f).state, ButtonPicture::State::Missing);
    EXPECT_EQ(engineering::readButtonPicture(f).state, ButtonPicture::State::Missing);
    ASSERT_EQ(install.boxes.asked.size(), 2u);
    EXPECT_EQ(install.boxes.asked[1].text, "Engineering\\Gone_800.gif not found");
}

TEST(MainWindowControls, TableFollowsTheWindowsLayout) {
    const auto controls = engineering::mainWindowControls();
    ASSERT_EQ(controls.size(), 54u);
    EXPECT_EQ(controls.front().name, "CommandQuest");
    EXPECT_EQ(controls[4].caption, "Edit");
    EXPECT_EQ(controls.back().caption, engineering::kHeaderText);
    const auto* pic7 = dialogs::findControl(controls, "Pic", 7);
    ASSERT_NE(pic7, nullptr);
    EXPECT_EQ(pic7->geometry.left, 1140);
    EXPECT_EQ(pic7->geometry.top, 210);
    const auto last = engineering::picGeometry(48);
    EXPECT_EQ(last.left, 120 + 7 * 1020);
    EXPECT_EQ(last.top, 210 + 5 * 960);
}

} // namespace
} // namespace enginetest
