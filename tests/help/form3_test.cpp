#include "form3.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

// Top edges of the rows of text drawn in the label, one per line.
QList<int> textLineTops(QLabel *label)
{
    const QImage image = label->grab().toImage();
    QList<int> tops;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 160;
        if (ink && !inLine)
            tops.append(y);
        inLine = ink;
    }
    return tops;
}

class Form3Test : public ::testing::Test
{
protected:
    QLabel *label1() const { return form.findChild<QLabel *>("Label1"); }

    QWidget opener;
    Form3 form{&opener};
};

} // namespace

TEST_F(Form3Test, ShowsTheTwoParagraphsExactly)
{
    form.open();
    const QString goal = QString::fromUtf8("游戏目的：教孩子掌握有关身体部位的英语单词。");
    const QString rules = QString::fromUtf8("游戏方法：点击三角按钮开始游戏。"
                                            "本游戏分为两级，第一级有提示，使孩子可以根据提示初步掌握单词。按"
                                            "提示所指部位用鼠标点击即可。"
                                            "第二级没有提示，考察孩子的掌握程度。");
    EXPECT_EQ(form.helpText(), goal + "\r\n\r\n" + rules);
    EXPECT_EQ(label1()->text(), form.helpText());
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("帮助"));
    EXPECT_EQ(form.size(), QSize(338, 288));
    EXPECT_EQ(label1()->geometry(), QRect(8, 8, 313, 257));
}

TEST_F(Form3Test, OneEmptyLineSeparatesTheParagraphsAndTheRulesWrap)
{
    form.open();
    const QList<int> tops = textLineTops(label1());
    // The goal on one line, the rules wrapped onto several.
    ASSERT_GE(tops.size(), 3);
    const int pitch = tops[2] - tops[1];
    EXPECT_NEAR(tops[1] - tops[0], 2 * pitch, 2);
    EXPECT_LT(tops.back() + pitch, label1()->height());
}

TEST_F(Form3Test, OpensAtItsPlaceEveryTimeAndHoldsTheOpener)
{
    form.open();
    EXPECT_EQ(form.pos(), QPoint(147, 133));
    EXPECT_FALSE(opener.isEnabled());
    form.move(400, 300);
    form.close();
    EXPECT_TRUE(opener.isEnabled());
    form.open();
    EXPECT_EQ(form.pos(), QPoint(147, 133));
    EXPECT_FALSE(opener.isEnabled());
    form.close();
    EXPECT_TRUE(opener.isEnabled());
}
