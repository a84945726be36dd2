#include "MessageBoxReporter.h"

#include <QMessageBox>

namespace widgets {
namespace {

QMessageBox::Icon toQt(run::MessageIcon icon) {
    switch (icon) {
    case run::MessageIcon::Critical:
        return QMessageBox::Critical;
    case run::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case run::MessageIcon::Information:
        return QMessageBox::Information;
    case run::MessageIcon::Question:
        return QMessageBox::Question;
    case run::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::string displayText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '\n' || c == '\r') && i + 1 < text.size() &&
            (text[i + 1] == '\n' || text[i + 1] == '\r') && text[i + 1] != c) {
            out += '\n';
            ++i;
        } else {
            out += c == '\r' ? '\n' : c;
        }
    }
    return out;
}

bool MessageBoxReporter::ask(const run::Message& question, run::DefaultButton defaultButton,
                             std::string_view) {
    QMessageBox box(toQt(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(displayText(question.text)),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultButton == run::DefaultButton::Yes ? QMessageBox::Yes
                                                                  : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxReporter::tell(const run::Message& message) {
    QMessageBox box(toQt(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(displayText(message.text)), QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace widgets
