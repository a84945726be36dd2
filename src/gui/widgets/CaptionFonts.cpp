#include "CaptionFonts.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyle>

#include <algorithm>
#include <map>
#include <vector>

namespace widgets {

QFont dialogFont(qreal pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans Narrow")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

namespace {

constexpr qreal kStep = 0.25;

bool fits(const QLabel& label, const QFont& font) {
    const QRect box = label.contentsRect();
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = QFontMetrics(font).boundingRect(box, flags, label.text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

// The largest size, from the label's own down to the smallest, at which it fits.
qreal fittingSize(const QLabel& label) {
    QFont font = label.font();
    while (font.pointSizeF() - kStep >= kSmallestCaptionPoints && !fits(label, font))
        font.setPointSizeF(font.pointSizeF() - kStep);
    return font.pointSizeF();
}

} // namespace

void fitCaptions(QWidget& window) {
    std::map<QWidget*, std::vector<QLabel*>> byContainer;
    for (QLabel* label : window.findChildren<QLabel*>())
        byContainer[label->parentWidget()].push_back(label);
    for (const auto& [container, labels] : byContainer) {
        qreal size = labels.front()->font().pointSizeF();
        for (const QLabel* label : labels)
            size = std::min(size, fittingSize(*label));
        for (QLabel* label : labels) {
            if (label->font().pointSizeF() == size)
                continue;
            QFont font = label->font();
            font.setPointSizeF(size);
            label->setFont(font);
        }
    }
}

QString keepTokensWhole(const QString& text) {
    // A word joiner on both sides of a break opportunity inside a token.
    constexpr QChar kWordJoiner(0x2060);
    QString kept;
    bool inToken = false;
    for (const QChar c : text) {
        if (c == u'{')
            inToken = true;
        else if (c == u'}')
            inToken = false;
        if (inToken && (c == u'-' || c == u' ')) {
            kept += kWordJoiner;
            kept += c == u' ' ? QChar(0x00A0) : c;
            kept += kWordJoiner;
        } else {
            kept += c;
        }
    }
    return kept;
}

void setButtonCaption(QPushButton& button, const QString& caption, const QString& toolTip) {
    const int margin = 2 * button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const int room = button.contentsRect().width() - margin;
    // The button's own size, remembered at the first caption: a later caption
    // may need less shrinking than an earlier one.
    constexpr const char* kOwnSize = "captionPointSize";
    if (!button.property(kOwnSize).isValid())
        button.setProperty(kOwnSize, button.font().pointSizeF());
    const qreal ownSize = button.property(kOwnSize).toReal();
    QFont font = button.font();
    font.setPointSizeF(ownSize);
    while (font.pointSizeF() - kStep >= kSmallestCaptionPoints &&
           QFontMetrics(font).horizontalAdvance(caption) > room)
        font.setPointSizeF(font.pointSizeF() - kStep);
    button.setFont(font);
    button.setText(caption);
    const bool shrunk = font.pointSizeF() < ownSize;
    button.setToolTip(shrunk && !caption.isEmpty()
                          ? (toolTip.isEmpty() ? caption : caption + u'\n' + toolTip)
                          : toolTip);
}

} // namespace widgets
