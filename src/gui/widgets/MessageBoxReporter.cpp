#include "MessageBoxReporter.h"

#include <QMessageBox>

namespace framework {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
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

bool MessageBoxReporter::ask(const Message& question, DefaultButton defaultButton,
                             std::string_view) {
    QMessageBox box(toQt(question.icon), QString::fromStdString(question.title),
                    QString::fromStdString(displayText(question.text)),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultButton == DefaultButton::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxReporter::tell(const Message& message) {
    QMessageBox box(toQt(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(displayText(message.text)), QMessageBox::Ok, parent_);
    box.exec();
}

} // namespace framework
