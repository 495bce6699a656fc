// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialog.h"

#include <array>

class ChildrenBar;
class QLabel;
class QPushButton;
class QTableWidget;

// The parents' picture of what the child knows: both figures with each
// word's part tinted by how well it is known, and each figure's words, the
// weakest first. Its pictures are drawn
// at their own size, also over a full-screen game, and scroll where the
// screen is too small for them; the legend and the clear button stay in view.
class ProgressWindow : public toolkit::Dialog
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *opener);

    // Reads the record of the child who plays now, draws it and shows the
    // window.
    void open() override;

signals:
    // Another child plays now, or the one who does has a new name.
    void playerChanged();
    // The parent asks for a practice game of the child's weak words.
    void practiceRequested();

private:
    void showRecord();
    void clearRecord();

    std::array<QLabel *, 2> figureLabels_{};
    std::array<QTableWidget *, 2> wordTables_{};
    QPushButton *clearButton_ = nullptr;
    ChildrenBar *childrenBar_ = nullptr;
    QLabel *practiceNote_ = nullptr;
    QPushButton *practiceButton_ = nullptr;
};
