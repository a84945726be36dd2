// The windows' own widgets. A caption that does not fit its button is drawn
// smaller, down to a readable size.
// The window a run shows while another run holds its installation: Cancel
// ends the wait; the other run's end lets the wait end with the lock taken.

#include "widgets/CaptionFonts.h"
#include "widgets/LockWaitBox.h"

#include "GuiTestSupport.h"
#include "installation/InstallationLock.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

#include <gtest/gtest.h>

#include <optional>

using installation::InstallationLock;
using namespace std::chrono_literals;

namespace {

int textRoom(const QPushButton& button) {
    return button.contentsRect().width() -
           2 * button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
}

} // namespace

// A caption that fits takes the button's own size back, and its tool tip; one
// that cannot fit stops at the smallest size.
TEST(CaptionFit, AButtonCaptionShrinksToFitAndIsShownWholeInTheToolTip) {
    QPushButton button;
    button.setFixedSize(64, 20);
    const qreal ownSize = button.font().pointSizeF();
    widgets::setButtonCaption(button, "Bearbeiten", "Edit mode");
    EXPECT_LT(button.font().pointSizeF(), ownSize);
    EXPECT_LE(QFontMetrics(button.font()).horizontalAdvance("Bearbeiten"), textRoom(button));
    EXPECT_EQ(button.toolTip(), "Bearbeiten\nEdit mode");
    widgets::setButtonCaption(button, "Edit", "Edit mode");
    EXPECT_EQ(button.font().pointSizeF(), ownSize);
    EXPECT_EQ(button.toolTip(), "Edit mode");
    widgets::setButtonCaption(button, QString(80, 'W'), "");
    EXPECT_EQ(button.font().pointSizeF(), widgets::kSmallestCaptionPoints);
}

TEST(LockWaitBox, SaysForWhomItWaitsAndEndsOnCancelOrWhenTheLockIsFree) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Cancel" : "other run ends");
        testsupport::TestInstallation installation;
        const auto file = installation::installationLockPath(installation.program());
        std::optional<InstallationLock> other(std::in_place, file, 0ms);
        InstallationLock lock(file, 0ms);
        ASSERT_EQ(lock.state(), InstallationLock::State::Busy);

        guitest::whenModalOpens(widgets::kLockWaitBoxName, [&](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            EXPECT_TRUE(box.text().contains(QString::fromStdString(lock.holder())))
                << box.text().toStdString();
            if (cancel)
                box.button(QMessageBox::Cancel)->click();
            else
                other.reset();
        });
        EXPECT_EQ(widgets::waitForInstallationLock(lock, 30s, "waiting (" + lock.holder() + ")"),
                  !cancel);
        EXPECT_EQ(lock.mayProceed(), !cancel);
    }
}
