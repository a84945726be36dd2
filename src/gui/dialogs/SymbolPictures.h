#pragma once
// Loading a symbol picture for a window.

#include <QPixmap>

#include <string_view>

namespace dialogs {

// The picture of a symbol name (relative to the installation folder, e.g.
// "Engineering\Pump_800.gif"). An empty name, a missing file and a file that
// cannot be decoded all give an empty picture, without a message: the window
// then shows only its background.
QPixmap loadSymbolPicture(std::string_view installationFolder, std::string_view symbolName);

} // namespace dialogs
