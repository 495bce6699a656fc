// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

class QLabel;

// The help window: the game's goal and rules. It has no parent, since it must
// stay usable while it keeps its opener disabled; the opener owns it, and
// while it is open the opener's window owns its window.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *opener);

    // Runs Form_Load and shows the window, not modal.
    void open();

    // The text as built at the last opening, with its CR LF pairs.
    const QString &helpText() const { return helpText_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();

    QWidget *opener_ = nullptr;
    QLabel *Label1 = nullptr;
    QString helpText_;
};
