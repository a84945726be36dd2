#pragma once
// A clickable picture on a coloured background: the symbol picture of the
// edit dialog and the slots of the symbol picker. The picture is drawn
// centred, at its own size, inside a sunken border; an empty picture leaves
// only the background. The box takes the keyboard focus like a button:
// Space, Return and Enter click it.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace widgets {

class PictureBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

    void setBackground(const QColor& colour);
    const QColor& background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap picture_;
    QColor background_;
};

} // namespace widgets
