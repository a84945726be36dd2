#include "TwipsLayout.h"

#include <QWidget>

#include <cmath>

namespace dialogs {

int twipsToPixels(int twips, int dotsPerInch) {
    return int(std::lround(double(twips) * dotsPerInch / 1440.0));
}

void placeInTwips(QWidget& widget, TwipsRect rect) {
    const int dpiX = widget.logicalDpiX();
    const int dpiY = widget.logicalDpiY();
    widget.setGeometry(twipsToPixels(rect.left, dpiX), twipsToPixels(rect.top, dpiY),
                       twipsToPixels(rect.width, dpiX), twipsToPixels(rect.height, dpiY));
}

void fixClientSizeInTwips(QWidget& window, int width, int height) {
    window.setFixedSize(twipsToPixels(width, window.logicalDpiX()),
                        twipsToPixels(height, window.logicalDpiY()));
}

} // namespace dialogs
