#include "PictureBox.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace widgets {
namespace {

constexpr int kBorder = 2;

} // namespace

PictureBox::PictureBox(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setBackground(palette().color(QPalette::Window));
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    qDrawShadePanel(&painter, rect(), palette(), true, kBorder);
    const QRect inside = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (!picture_.isNull()) {
        const QSize size = picture_.deviceIndependentSize().toSize();
        QRect target(QPoint(), size);
        target.moveCenter(inside.center());
        painter.setClipRect(inside);
        painter.drawPixmap(target, picture_);
        painter.setClipping(false);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inside.adjusted(1, 1, -1, -1);
        focus.backgroundColor = background_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace widgets
