#include "UpdateProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace mainwindow {

UpdateProgress::~UpdateProgress() {
    delete dialog_.data();
}

void UpdateProgress::keepResponsive() {
    // The window is closing: paint it, but take no clicks or keys.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void UpdateProgress::progress(std::int64_t done, std::int64_t total) {
    if (!started_.isValid())
        started_.start();
    if (dialog_ == nullptr) {
        if (started_.elapsed() < kShowAfterMs || done >= total)
            return;
        dialog_ = new QProgressDialog(QStringLiteral("Preset-Datenbank wird aktualisiert ..."),
                                      QString(), 0, int(total), window_);
        dialog_->setObjectName("UpdateProgress");
        dialog_->setWindowTitle(window_ != nullptr ? window_->windowTitle() : QString());
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
    }
    dialog_->setValue(int(std::min(done, total)));
    if (done >= total)
        dialog_->hide();
}

} // namespace mainwindow
