#include "LockWaitBox.h"

#include "framework/InstallationLock.h"

#include <QMessageBox>
#include <QTimer>

namespace framework {

bool waitForInstallationLock(framework::InstallationLock& lock, std::chrono::milliseconds wait) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + wait;
    QMessageBox box(QMessageBox::Information, QStringLiteral("Engineering"),
                    QString::fromStdString(lockWaitMessage(lock.holder(), wait)),
                    QMessageBox::Cancel);
    box.setObjectName(QString::fromLatin1(kLockWaitBoxName));
    bool over = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &box, [&] {
        const bool waiting = !lock.tryAgain() && lock.state() == InstallationLock::State::Busy;
        if (waiting && Clock::now() < deadline)
            return;
        over = true;
        box.done(QMessageBox::Ok);
    });
    poll.start(kInstallationLockPoll);
    box.exec();
    return over;
}

} // namespace framework
