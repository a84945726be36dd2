#include "QtFileChooser.h"

#include "editing/EditChoices.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFileDialog>

namespace dialogs {

std::optional<std::string> QtFileChooser::chooseFileToOpen(const editing::FileChoice& choice) {
    const QString initial =
        choice.initialName.empty()
            ? QString()
            : QString::fromStdU16String(platform::nativePath(choice.initialName).u16string());
    const QString chosen =
        QFileDialog::getOpenFileName(parent_, QString::fromStdString(choice.title), initial,
                                     QString::fromStdString(editing::nameFilters(choice.filter)),
                                     nullptr, QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(chosen).toStdString();
}

} // namespace dialogs
