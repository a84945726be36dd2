#pragma once
// How the program's forms are measured and coloured, apart from any window
// system (gui/widgets/WindowLayout.h applies it to widgets).
//
// Positions and sizes are in twips, as the forms are drawn: 1440 twips to the
// inch, 15 twips a pixel at 96 dots per inch, each position relative to the
// control's container. Colours are 0xRRGGBB: windows and controls are light
// grey; a switched-on mode button and the function's current symbol in the
// symbol picker are green.

#include <cstdint>

namespace texts {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline constexpr std::uint32_t kLightGrey = 0xC0C0C0;
inline constexpr std::uint32_t kGreen = 0x00FF00;

} // namespace texts
