// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QSize;

namespace toolkit {

// A dialog laid out for the game's own size grows with a full-screen game.
enum class Scaling { WithOpener, None };

// A window opened over the game (help, the leaderboard, the parents' window):
// a dialog with a title and a close box, a fixed size (unless the window
// loosens it), the Song font at 9 points on white. Opened, it is modal to its
// opener's window, which then takes no clicks or keys; two may be open at
// once (help, and the leaderboard that the game's clock opened behind it),
// and both stay usable. Escape closes it.
class Dialog : public QDialog
{
    Q_OBJECT

public:
    Dialog(QWidget *opener, const QString &title, QSize size, Scaling scaling = Scaling::WithOpener);

protected:
    // Shows the dialog over its opener, with the focus. Unless the window
    // was placed, it is centred over its opener at each opening.
    void openOverOpener();
};

// The dialogs open over window.
QList<QDialog *> openDialogs(const QWidget *window);

} // namespace toolkit
