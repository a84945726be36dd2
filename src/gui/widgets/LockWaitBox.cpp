#include "LockWaitBox.h"

#include "installation/InstallationLock.h"

#include <QMessageBox>
#include <QTimer>

namespace widgets {

bool waitForInstallationLock(installation::InstallationLock& lock, std::chrono::milliseconds wait,
                             const std::string& message) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Engineering"),
                    QString::fromStdString(message), QMessageBox::Cancel);
    box.setObjectName(QString::fromLatin1(kLockWaitBoxName));
    bool over = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &box, [&] {
        const bool waiting =
            !lock.tryAgain() && lock.state() == installation::InstallationLock::State::Busy;
        if (waiting && Clock::now() < deadline)
            return;
        over = true;
        box.done(QMessageBox::Ok);
    });
    poll.start(installation::kInstallationLockPoll);
    box.exec();
    return over;
}

} // namespace widgets
