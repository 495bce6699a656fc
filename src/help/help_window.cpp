// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"

#include "twips.h"

#include <QLabel>

namespace {

QString helpText()
{
    return QStringLiteral("游戏目的：教孩子掌握有关身体部位的英语单词。") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("游戏方法：点击三角按钮开始游戏。") +
           QStringLiteral("本游戏分为两级，第一级有提示，使孩子可以根据提示初步掌握单词。按") +
           QStringLiteral("提示所指部位用鼠标点击即可。") +
           QStringLiteral("第二级没有提示，考察孩子的掌握程度。");
}

} // namespace

HelpWindow::HelpWindow(QWidget *opener)
    : ChildWindow(opener, QStringLiteral("帮助"), QSize(338, 288))
{
    closeOnEscape();
    helpLabel_ = new QLabel(this);
    helpLabel_->setObjectName(QStringLiteral("helpLabel"));
    helpLabel_->setGeometry(8, 8, 313, 257);
    helpLabel_->setTextFormat(Qt::PlainText);
    helpLabel_->setWordWrap(true);
    helpLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    helpLabel_->setAutoFillBackground(true);
}

void HelpWindow::open()
{
    holdOpener();
    // The same place at every opening, wherever the user moved it last time.
    toolkit::moveOuterTwips(this, 2200, 2000);
    // A plain-text label breaks once at each CR LF pair, as the text intends.
    helpLabel_->setText(helpText());
    showActive();
}
