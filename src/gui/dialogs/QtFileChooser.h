#pragma once
// The open-file dialog of Qt behind the file chooser seam.

#include "editing/FileChooser.h"

#include <QPointer>
#include <QWidget>

namespace dialogs {

class QtFileChooser final : public editing::FileChooser {
public:
    explicit QtFileChooser(QWidget* parent) : parent_(parent) {}

    // Starts at the initial name (a stored path; its backslashes are taken as
    // separators) and returns the chosen file with the platform's separators.
    std::optional<std::string> chooseFileToOpen(const editing::FileChoice& choice) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace dialogs
