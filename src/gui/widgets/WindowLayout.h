#pragma once
// How the program's windows are laid out and coloured.
//
// Positions are given in twips, as the forms are drawn: 1440 twips to the
// inch, converted with the widget's logical resolution (px = twips * dpi /
// 1440, rounded; 15 twips a pixel at 96 dpi). Horizontal measures use the
// horizontal resolution, vertical ones the vertical resolution. Windows and
// controls are light grey (red, green and blue 192); a switched-on mode
// button is green.

#include <QColor>

class QWidget;

namespace framework {

inline const QColor kWindowGrey{192, 192, 192};
inline const QColor kModeGreen{0, 255, 0};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

int twipsToPixels(int twips, int dotsPerInch);

// Places the widget in its container.
void placeInTwips(QWidget& widget, TwipsRect rect);
// Gives a window a fixed client area.
void fixClientSizeInTwips(QWidget& window, int width, int height);

// Gives the widget (and the buttons in it) the background colour.
void setBackgroundColour(QWidget& widget, const QColor& colour);

} // namespace framework
