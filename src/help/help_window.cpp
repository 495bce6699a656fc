// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"

#include "child_window.h"
#include "fonts.h"
#include "twips.h"

#include <QCloseEvent>
#include <QLabel>

// A dialog, since Qt names the owner to an X11 window manager only for one.
HelpWindow::HelpWindow(QWidget *opener)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , opener_(opener)
{
    setWindowTitle(QStringLiteral("帮助"));
    setFixedSize(338, 288);
    setFont(toolkit::songFont(9, false));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 8, 313, 257);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setAutoFillBackground(true);
}

void HelpWindow::open()
{
    Form_Load();
    show();
    activateWindow();
}

void HelpWindow::Form_Load()
{
    if (opener_)
        toolkit::disableOpener(opener_, this);
    // The same place at every opening, wherever the user moved it last time.
    toolkit::moveOuterTwips(this, 2200, 2000);

    helpText_ = QStringLiteral("游戏目的：教孩子掌握有关身体部位的英语单词。") + QStringLiteral("\r\n\r\n") +
                QStringLiteral("游戏方法：点击三角按钮开始游戏。") +
                QStringLiteral("本游戏分为两级，第一级有提示，使孩子可以根据提示初步掌握单词。按") +
                QStringLiteral("提示所指部位用鼠标点击即可。") +
                QStringLiteral("第二级没有提示，考察孩子的掌握程度。");
    // A plain-text label breaks once at each CR LF pair, as the text intends.
    Label1->setText(helpText_);
}

void HelpWindow::Form_Unload()
{
    if (opener_)
        toolkit::releaseOpener(opener_, this);
}

void HelpWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}
