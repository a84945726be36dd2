#include "GuiTestSupport.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace guitest {

void endByRecording(run::ProgramState& program, std::optional<int>& status) {
    // Only recorded: telling the application to quit would make every later
    // modal dialog of the test program return at once.
    program.terminate = [&status](int ended) { status = ended; };
}

void whenModalOpens(const QString& objectName, std::function<void(QDialog&)> action) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [=, tries = 0]() mutable {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool opened = dialog && dialog->objectName() == objectName;
        if (!opened && ++tries <= 500)
            return;
        timer->stop();
        timer->deleteLater();
        // An exception must not unwind through Qt's event loop.
        try {
            if (!opened)
                throw std::runtime_error(objectName.toStdString() + " did not open");
            action(*dialog);
        } catch (const std::exception& error) {
            ADD_FAILURE() << error.what();
            if (dialog)
                dialog->reject();
        }
    });
    timer->start(10);
}

} // namespace guitest
