#include "picture_box.h"

#include "classic_palette.h"

#include <QMouseEvent>
#include <QPainter>

namespace toolkit {

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
{}

void PictureBox::setPicture(const QPixmap &picture)
{
    picture_ = picture;
    if (fitsPicture_ && !picture_.isNull())
        resize(picture_.deviceIndependentSize().toSize());
    update();
}

void PictureBox::setFitsPicture(bool fits)
{
    fitsPicture_ = fits;
    if (fits && !picture_.isNull())
        resize(picture_.deviceIndependentSize().toSize());
}

void PictureBox::setBackgroundColour(const QColor &colour)
{
    background_ = colour;
    update();
}

void PictureBox::fillBox(QPoint from, QPoint to, int paletteColour)
{
    drawing_.cover(size(), devicePixelRatioF());
    drawing_.fillBox(from, to, classicColour(paletteColour));
    update();
}

void PictureBox::clearDrawing()
{
    drawing_.clear();
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    if (!picture_.isNull())
        painter.drawPixmap(QPoint(0, 0), picture_);
    drawing_.drawOnto(painter);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so a click on the box never reaches the window beneath.
    pressed_ = true;
    event->accept();
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace toolkit
