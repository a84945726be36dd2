#include "WindowLayout.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cmath>

namespace widgets {

int twipsToPixels(int twips, int dotsPerInch) {
    return int(std::lround(double(twips) * dotsPerInch / 1440.0));
}

void placeInTwips(QWidget& widget, texts::TwipsRect rect) {
    const int dpiX = widget.logicalDpiX();
    const int dpiY = widget.logicalDpiY();
    widget.setGeometry(twipsToPixels(rect.left, dpiX), twipsToPixels(rect.top, dpiY),
                       twipsToPixels(rect.width, dpiX), twipsToPixels(rect.height, dpiY));
}

void fixClientSizeInTwips(QWidget& window, int width, int height) {
    window.setFixedSize(twipsToPixels(width, window.logicalDpiX()),
                        twipsToPixels(height, window.logicalDpiY()));
}

void setBackgroundColour(QWidget& widget, std::uint32_t colour) {
    const QColor rgb{QRgb(colour)};
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, rgb);
    palette.setColor(QPalette::Button, rgb);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace widgets
