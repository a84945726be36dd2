#pragma once
// The face the dialogs were drawn for: the classic dialog face "MS Sans Serif"
// at 8 points. Where it is missing, a narrow sans serif stands in, so the
// captions fit the boxes the forms give them; the last resort is the
// system's sans serif. A caption that still does not fit its box is drawn
// smaller, down to 6 points, rather than cut off.

#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace widgets {

QFont dialogFont(qreal pointSize = 8.0);

// The smallest size a caption is drawn in: below it the text is no longer read
// at a glance.
inline constexpr qreal kSmallestCaptionPoints = 6.0;

// Shrinks the font of the labels that share a container until every one of
// them fits its box (wrapped where a label wraps), down to the smallest size,
// so that the labels of one frame keep one size.
void fitCaptions(QWidget& window);

// The text with its "{...}" tokens (such as "{S-TAB}") kept whole when a
// label breaks its lines: breaks fall between tokens only.
QString keepTokensWhole(const QString& text);

// Sets a button's caption in the button's font or, where it does not fit, in
// a smaller one down to the smallest size; a caption that had to shrink is
// also shown whole in the tool tip, above the button's own tool tip.
void setButtonCaption(QPushButton& button, const QString& caption, const QString& toolTip);

} // namespace widgets
