#pragma once
// Shows the progress of the preset update in the main window: the window
// stays painted, and when the update takes longer than half a second a
// progress dialog appears over the window.

#include "presetdb/UpdateObserver.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace mainwindow {

class UpdateProgress final : public presetdb::UpdateObserver {
public:
    explicit UpdateProgress(QWidget* window = nullptr) : window_(window) {}
    ~UpdateProgress() override;

    // The window the progress dialog stands over.
    void setWindow(QWidget* window) { window_ = window; }

    void keepResponsive() override;
    void progress(std::int64_t done, std::int64_t total) override;

private:
    static constexpr qint64 kShowAfterMs = 500;

    QPointer<QWidget> window_;
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer started_;
};

} // namespace mainwindow
