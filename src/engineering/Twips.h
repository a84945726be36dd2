#pragma once
// Window positions are given in twips (1/1440 inch): 15 twips are one pixel at
// 96 dots per inch, and the pixels scale with the screen's logical dpi.

#include <cmath>

namespace engineering {

inline int twipsToPixels(int twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

} // namespace engineering
