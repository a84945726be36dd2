// The window a run shows while another run holds its installation: Cancel
// ends the wait; the other run's end lets the wait end with the lock taken.

#include "widgets/LockWaitBox.h"

#include "framework/InstallationLock.h"
#include "GuiTestSupport.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <optional>

using framework::InstallationLock;
using namespace std::chrono_literals;

TEST(LockWaitBox, SaysForWhomItWaitsAndEndsOnCancelOrWhenTheLockIsFree) {
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel ? "Cancel" : "other run ends");
        testsupport::TestInstallation installation;
        const auto file = framework::installationLockPath(installation.program());
        std::optional<InstallationLock> other(std::in_place, file, 0ms);
        InstallationLock lock(file, 0ms);
        ASSERT_EQ(lock.state(), InstallationLock::State::Busy);

        guitest::whenModalOpens(framework::kLockWaitBoxName, [&](QDialog& dialog) {
            auto& box = static_cast<QMessageBox&>(dialog);
            EXPECT_TRUE(box.text().contains(QString::fromStdString(lock.holder())))
                << box.text().toStdString();
            if (cancel)
                box.button(QMessageBox::Cancel)->click();
            else
                other.reset();
        });
        EXPECT_EQ(framework::waitForInstallationLock(lock, 30s), !cancel);
        EXPECT_EQ(lock.mayProceed(), !cancel);
    }
}
