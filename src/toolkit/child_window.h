// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QSize;

namespace toolkit {

// A child window keeps its opener disabled while it is open. Two may be open
// at once (help, and the leaderboard that the game's clock opened behind it):
// the opener comes back only when the last of them closes. While open, the
// child's window is owned by the opener's, so that the window system keeps it
// above the opener and never behind it (or, where it does not, the child is
// mapped again over it); each opening is placed afresh.
// A child laid out for the game's own size grows with a full-screen game.
enum class Scaling { WithOpener, None };
void disableOpener(QWidget *opener, QWidget *child, Scaling scaling = Scaling::WithOpener);
void releaseOpener(QWidget *opener, QWidget *child);
// The child windows open over opener.
QWidgetList openChildren(const QWidget *opener);

// A window opened over the game (help, leaderboard): a dialog with a title,
// a fixed size (unless the window loosens it), the Song font at 9 points on
// white. It has no parent, since it must stay usable while it keeps its opener
// disabled; the opener owns it.
class ChildWindow : public QWidget
{
    Q_OBJECT

public:
    ChildWindow(QWidget *opener, const QString &title, QSize size, Scaling scaling = Scaling::WithOpener);

protected:
    // Each opening starts here, before the window sets itself up for it.
    void holdOpener();
    // Shows the window, not modal, and gives it the focus.
    void showActive();
    // Escape closes the window, as it does a dialog.
    void closeOnEscape() { closesOnEscape_ = true; }
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    QWidget *opener() const { return opener_; }

private:
    QWidget *opener_ = nullptr;
    Scaling scaling_ = Scaling::WithOpener;
    bool closesOnEscape_ = false;
};

} // namespace toolkit
