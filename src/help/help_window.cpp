// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"

#include "outer_edges.h"

#include <QLabel>

namespace {

// Two paragraphs, an empty line between them.
QString helpText()
{
    //: The help's first paragraph: the aim of the game.
    return HelpWindow::tr("游戏目的：教孩子掌握有关身体部位的英语单词。") + QStringLiteral("\r\n\r\n") +
           //: The help's second paragraph: how to play, level 1 with hints, level 2 without.
           HelpWindow::tr("游戏方法：点击三角按钮开始游戏。"
                          "本游戏分为两级，第一级有提示，使孩子可以根据提示初步掌握单词。按"
                          "提示所指部位用鼠标点击即可。"
                          "第二级没有提示，考察孩子的掌握程度。");
}

} // namespace

HelpWindow::HelpWindow(QWidget *opener)
    //: The help window's title.
    : Dialog(opener, tr("帮助"), QSize(338, 288))
{
    // A plain-text label breaks once at each CR LF pair, as the text intends.
    auto *help = new QLabel(helpText(), this);
    help->setObjectName(QStringLiteral("helpLabel"));
    help->setGeometry(8, 8, 313, 257);
    help->setTextFormat(Qt::PlainText);
    help->setWordWrap(true);
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    help->setAutoFillBackground(true);
}

void HelpWindow::open()
{
    // The same place at every opening, wherever the user moved it last time.
    // move() on a top-level window places its frame, not its client area.
    move(toolkit::outerEdgesInPixels(2200, 2000, 0, 0).topLeft());
    openOverOpener();
}
