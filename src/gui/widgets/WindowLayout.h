#pragma once
// The program's measures and colours (texts/ControlGeometry.h) applied to Qt
// widgets. Twips are converted with the widget's logical resolution (px =
// twips * dpi / 1440, rounded); horizontal measures use the horizontal
// resolution, vertical ones the vertical resolution.

#include "texts/ControlGeometry.h"

#include <cstdint>

class QWidget;

namespace widgets {

int twipsToPixels(int twips, int dotsPerInch);

// Places the widget in its container.
void placeInTwips(QWidget& widget, texts::TwipsRect rect);
// Gives a window a fixed client area.
void fixClientSizeInTwips(QWidget& window, int width, int height);

// Gives the widget (and the buttons in it) the background colour (0xRRGGBB).
void setBackgroundColour(QWidget& widget, std::uint32_t colour);

} // namespace widgets
