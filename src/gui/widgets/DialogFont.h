#pragma once
// The face the dialogs were drawn for: the classic dialog face "MS Sans Serif"
// at 8 points. Where it is missing, a narrow sans serif stands in, so the
// captions fit the boxes the forms give them; the last resort is the
// system's sans serif. A caption that still does not fit its box is drawn
// smaller, down to 6 points, rather than cut off.

#include <QFont>

class QLabel;

namespace dialogs {

QFont dialogFont(qreal pointSize = 8.0);

// Shrinks the label's font until its text fits the label (wrapped when the
// label wraps), down to 6 points.
void fitCaption(QLabel& label);

} // namespace dialogs
