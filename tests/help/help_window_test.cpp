// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

TEST(HelpWindow, ShowsAtItsPlaceAndHoldsTheOpener)
{
    QWidget opener;
    HelpWindow window(&opener);
    const auto *label = window.findChild<QLabel *>("helpLabel");
    const QString help = QString::fromUtf8("游戏目的：教孩子掌握有关身体部位的英语单词。\r\n\r\n游戏方法："
                                           "点击三角按钮开始游戏。本游戏分为两级，第一级有提示，使孩子可以"
                                           "根据提示初步掌握单词。按提示所指部位用鼠标点击即可。第二级没有"
                                           "提示，考察孩子的掌握程度。");
    for (int opening = 0; opening < 2; ++opening) {
        window.open();
        EXPECT_EQ(window.pos(), QPoint(147, 133)) << "opening " << opening;
        EXPECT_EQ(window.size(), QSize(338, 288)) << "the help's size";
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8("帮助")) << "the help's title";
        EXPECT_EQ(label->text(), help) << "the help's text";
        EXPECT_FALSE(!QApplication::activeModalWidget()) << "the opener stays usable under the help";
        window.move(400, 300);
        window.close();
        EXPECT_TRUE(!QApplication::activeModalWidget()) << "closing the help keeps the opener disabled";
    }
    EXPECT_LE(label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap, help).height(),
              label->height())
        << "the help does not fit";
}
