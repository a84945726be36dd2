#pragma once
// Window layout in twips, as the forms are drawn: 1440 twips to the inch,
// converted with the widget's logical resolution (px = twips * dpi / 1440,
// rounded; 15 twips a pixel at 96 dpi). Horizontal measures use the
// horizontal resolution, vertical ones the vertical resolution.

class QWidget;

namespace dialogs {

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

} // namespace dialogs
