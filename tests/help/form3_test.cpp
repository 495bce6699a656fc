// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form3.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

#include <tuple>

TEST(Form3, ShowsTheHelpAtItsPlaceOnEveryOpeningAndHoldsTheOpener)
{
    QWidget opener;
    Form3 form(&opener);
    auto *label = form.findChild<QLabel *>("Label1");
    const QString help = QString::fromUtf8("游戏目的：教孩子掌握有关身体部位的英语单词。\r\n\r\n游戏方法："
                                           "点击三角按钮开始游戏。本游戏分为两级，第一级有提示，使孩子可以"
                                           "根据提示初步掌握单词。按提示所指部位用鼠标点击即可。第二级没有"
                                           "提示，考察孩子的掌握程度。");
    for (int opening = 0; opening < 2; ++opening) {
        form.open();
        EXPECT_EQ(std::tuple(form.pos(), form.size(), opener.isEnabled(), form.windowTitle(), label->text()),
                  std::tuple(QPoint(147, 133), QSize(338, 288), false, QString::fromUtf8("帮助"), help));
        form.move(400, 300);
        form.close();
        EXPECT_TRUE(opener.isEnabled());
    }
    // Top edges of the drawn rows: the goal on one line, one empty line, the rules wrapped.
    form.open();
    const QImage image = label->grab().toImage();
    QList<int> tops;
    for (int y = 0, inked = 0, ink = 0; y < image.height(); ++y, inked = ink) {
        ink = 0;
        for (int x = 0; x < image.width(); ++x)
            ink |= qGray(image.pixel(x, y)) < 160;
        if (ink && !inked)
            tops.append(y);
    }
    ASSERT_GE(tops.size(), 3);
    EXPECT_NEAR(tops[1] - tops[0], 2 * (tops[2] - tops[1]), 2);
    EXPECT_LT(tops.back() + tops[2] - tops[1], label->height());
}
