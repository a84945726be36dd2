#include "SymbolPictures.h"

#include "editing/SymbolPickerSlots.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

namespace dialogs {

QPixmap loadSymbolPicture(std::string_view installationFolder, std::string_view symbolName) {
    const std::filesystem::path path = editing::symbolPicturePath(installationFolder, symbolName);
    if (path.empty())
        return {};
    QFile file(QString::fromStdU16String(path.u16string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The format is told by the content, whatever the file's extension says.
    QImageReader reader(&file);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace dialogs
