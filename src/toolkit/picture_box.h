#pragma once

#include "drawing_layer.h"

#include <QPixmap>
#include <QWidget>

namespace toolkit {

// A box that shows a picture over a background colour, keeps boxes filled on
// it at run time, and reports clicks. With fitsPicture it takes the size of
// each picture put into it.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }
    void setFitsPicture(bool fits);
    void setBackgroundColour(const QColor &colour);

    // Fills the box between two corners (both included) with a colour of the
    // classic palette; it stays until the drawing is cleared.
    void fillBox(QPoint from, QPoint to, int paletteColour);
    void clearDrawing();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap picture_;
    QColor background_;
    DrawingLayer drawing_;
    bool fitsPicture_ = false;
    bool pressed_ = false;
};

} // namespace toolkit
