// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGraphicsView>
#include <QThreadPool>
#include <QWidget>

class PictureItem;
class QGraphicsObject;

// How a board is shown in a view: enlarged by the largest factor that fits
// and centred, or at its own size in the top-left corner. Only full screen
// shrinks a board to fit a screen smaller than it.
struct BoardFit
{
    qreal factor = 1.0;
    QRect place; // the device pixels the board covers in the view
};
BoardFit fitBoard(QSize board, QSize view, bool fullScreen);

// The play area: one scene laid out at its own size in pixels, shown in the
// view through one transform, BoardFit's, on the background brush. Presses
// on the board are reported in its own pixels, unless an item that takes
// mouse buttons lies under them (the figure takes none).
class BoardView : public QGraphicsView
{
    Q_OBJECT

public:
    BoardView(QSize board, QWidget *parent);
    // Waits for the drawings under way; those not begun are dropped.
    ~BoardView() override;

    PictureItem *addPicture(const char *name, QPoint at, QGraphicsItem *parent = nullptr);
    class Control;
    // A control over item that takes its clicks.
    Control *addControl(QGraphicsObject *item, const char *name);
    // A name for a screen reader over item, which leaves its presses to the board.
    Control *addLabel(QGraphicsObject *item, const char *name);

signals:
    void pressed(float x, float y);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void fit();

    QSize board_;
    BoardFit fit_;
    QThreadPool drawings_;
};

// An invisible widget over an item of the board that takes its clicks, as
// a button does (a press, then a release over it, with any button), and
// names it to a screen reader. It follows the item's place and visibility.
class BoardView::Control : public QWidget
{
    Q_OBJECT

public:
    Control(QGraphicsObject *item, BoardView *view);
    void follow();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QGraphicsObject *item_;
    BoardView *view_;
    bool pressed_ = false;
};
