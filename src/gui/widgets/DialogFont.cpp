#include "DialogFont.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace dialogs {

QFont dialogFont(qreal pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

void fitCaption(QLabel& label) {
    constexpr qreal kSmallest = 6.0;
    constexpr qreal kStep = 0.25;
    QFont font = label.font();
    const QRect box = label.contentsRect();
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    while (font.pointSizeF() - kStep >= kSmallest) {
        const QRect needed = QFontMetrics(font).boundingRect(box, flags, label.text());
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
        font.setPointSizeF(font.pointSizeF() - kStep);
    }
    if (font != label.font())
        label.setFont(font);
}

} // namespace dialogs
