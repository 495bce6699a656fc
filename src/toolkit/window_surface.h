#pragma once

#include "drawing_layer.h"

#include <QPixmap>
#include <QWidget>

namespace toolkit {

// A window's own surface: its background picture at the top-left corner,
// what has been painted on it since it was last cleared, and mouse-down
// reports for presses on the surface itself (not on its controls).
class WindowSurface : public QWidget
{
    Q_OBJECT

public:
    explicit WindowSurface(QWidget *parent = nullptr);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return picture_; }
    void setBackgroundColour(const QColor &colour);

    // Paints a picture at its natural size; it stays until cleared.
    void paintPicture(QPoint topLeft, const QPixmap &picture);
    // Removes everything painted at run time; the background picture stays.
    void clearDrawing();
    bool hasDrawing() const { return !drawing_.isEmpty(); }

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QPixmap picture_;
    QColor background_;
    DrawingLayer drawing_;
};

} // namespace toolkit
