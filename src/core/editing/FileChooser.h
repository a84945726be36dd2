#pragma once
// The open-file dialog behind a seam, so that the edit dialog is tested
// without a real one.

#include <optional>
#include <string>

namespace editing {

struct FileChoice {
    std::string title;
    // "description|patterns" pairs (see EditChoices.h).
    std::string filter;
    // The file the dialog starts at, or the folder it starts in.
    std::string initialName;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The full path of the chosen file; nothing when the user cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileChoice& choice) = 0;
};

} // namespace editing
