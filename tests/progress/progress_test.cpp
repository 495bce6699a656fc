// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "progress_window.h"
#include "tally.h"
#include "word_record.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace progress;

namespace {

// Every test keeps its record in a data folder of its own.
class Progress : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit()); }
    QTemporaryDir dataHome;
};

// The record lists figure 1's ten words, then figure 2's.
WordCount countOf(int figureNo, int wordIndex)
{
    return readRecord().value((figureNo - 1) * 10 + wordIndex);
}

} // namespace

TEST_F(Progress, CountsFirstClicksAcrossGames)
{
    const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    Tally tally;
    tally.questionAsked(1, 1); // chin: a miss, then a hit
    tally.clickJudged(1, 1, false);
    tally.clickJudged(1, 1, true);
    tally.questionAsked(2, 3); // finger: a hit at once, then asked again and missed
    tally.clickJudged(2, 3, true);
    tally.questionAsked(2, 3);
    tally.clickJudged(1, 1, true); // not the asked word
    tally.clickJudged(2, 3, false);
    tally.gameEnded();
    tally.questionAsked(1, 0); // brow, and finger again, in a second game
    tally.clickJudged(1, 0, true);
    tally.questionAsked(2, 3);
    tally.clickJudged(2, 3, true);
    tally.gameEnded();
    EXPECT_EQ(countOf(1, 1).right, 0) << "a hit after a miss counted as right";
    EXPECT_EQ(countOf(2, 3).asked, 3) << "the asks of two games were not added up";
    EXPECT_EQ(countOf(2, 3).right, 2) << "finger's hits at the first click";
    EXPECT_GE(countOf(1, 0).lastAsked, before) << "brow's last ask not kept as a UTC time";
    EXPECT_TRUE(countOf(1, 2).lastAsked.isNull()) << "a word never asked has a time";
    const QStringList lines = progressTable().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 20) << "the table does not list every word";
    EXPECT_EQ(lines.mid(0, 3).join('|').toStdString(), "chin\t1\t0|brow\t1\t1|eye\t0\t0")
        << "not weakest first";
    EXPECT_EQ(lines.value(10).toStdString(), "finger\t3\t2") << "figure 2's words do not follow figure 1's";
}

TEST_F(Progress, DamagedLinesAloneAreLostAndTheFileKeptAside)
{
    const QByteArray header = "tovasel-progress\t1\n";
    const QByteArray brow = "brow\t7\t3\t2026-01-02T03:04:05Z\n";
    // What each file holds, and whether brow's good line survives it.
    const QList<std::tuple<const char *, QByteArray, bool>> damages{
        {"cut before its last new line", header + brow + "chin\t2\t1\t2026-01-02T03:04:05Z", true},
        {"right above asked", header + "chin\t2\t3\t2026-01-02T03:04:05Z\n" + brow, true},
        {"a local time", header + brow + "chin\t2\t1\t2026-01-02T03:04:05\n", true},
        {"binary junk", header + QByteArray("\0\xff\t\x80\n", 5) + brow, true},
        {"another version", "tovasel-progress\t2\n" + brow, false},
        {"too large", header + brow + QByteArray("zzz\t0\t0\t\n").repeated(8000), false},
    };
    QDir().mkpath(QFileInfo(recordPath()).absolutePath());
    for (const auto &[damage, bytes, browKept] : damages) {
        QFile damaged(recordPath());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate))
            << damage << ": cannot be written";
        ASSERT_EQ(damaged.write(bytes), bytes.size()) << damage << ": written short";
        damaged.close();
        EXPECT_EQ(countOf(1, 0).asked, browKept ? 7 : 0) << damage << ": brow's good line";
        EXPECT_EQ(countOf(1, 1).asked, 0) << damage << ": chin's damaged line was trusted";
        Tally tally;
        tally.questionAsked(1, 1);
        tally.gameEnded();
        EXPECT_EQ(countOf(1, 1).asked, 1) << damage << ": the new game was not saved";
        QFile aside(damagedRecordPath());
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly)) << damage << ": the damaged file was not kept aside";
        EXPECT_EQ(aside.readAll(), bytes) << damage << ": the file kept aside is not the damaged one";
    }
    QFile::remove(recordPath());
    QDir().mkpath(recordPath());
    EXPECT_EQ(countOf(1, 0).asked, 0) << "a folder in the record's place is not read as empty";
    EXPECT_FALSE(writeRecord(freshRecord())) << "a save over a folder claims success";
}

TEST(ProgressColour, FollowsTheShareRightAtTheFirstClick)
{
    for (const auto &[asked, right, expected] :
         QList<std::tuple<int, int, Knowledge>>{{0, 0, Knowledge::NeverAsked},
                                                {1000, 801, Knowledge::Good},
                                                {5, 4, Knowledge::Fair},
                                                {2, 1, Knowledge::Fair},
                                                {1000, 499, Knowledge::Weak},
                                                {1, 0, Knowledge::Weak}})
        EXPECT_EQ(int(knowledge(asked, right)), int(expected)) << right << " right of " << asked;
}

TEST_F(Progress, WindowTintsPartsByKnowledge)
{
    Record record = freshRecord();
    record[1] = {"chin", 1, 1, 4, 1, QDateTime::currentDateTimeUtc()}; // one right of four: red
    ASSERT_TRUE(writeRecord(record)) << "cannot set up the record";
    QWidget opener;
    ProgressWindow window(&opener);
    window.open();
    EXPECT_FALSE(!QApplication::activeModalWidget()) << "the opener is not held while the window is open";
    const auto pixel = [&window](int figureNo, int wordIndex) {
        const QLabel *figure = window.findChild<QLabel *>(QStringLiteral("figure%1").arg(figureNo));
        return figure->pixmap().toImage().pixelColor(content::hotSpot(figureNo, wordIndex).center());
    };
    const QColor chin = pixel(1, 1);
    EXPECT_GT(chin.red() - std::max(chin.green(), chin.blue()), 110)
        << "the weak chin is not red: " << chin.name().toStdString();
    const QColor ear = pixel(2, 2);
    EXPECT_LT(std::max({ear.red(), ear.green(), ear.blue()}) - std::min({ear.red(), ear.green(), ear.blue()}),
              50)
        << "the ear never asked is not grey: " << ear.name().toStdString();
    window.close();
    EXPECT_TRUE(!QApplication::activeModalWidget()) << "the opener is not released on closing";
}

// Qt's offscreen screen is 800 x 600, a netbook's.
TEST_F(Progress, WindowFitsASmallScreen)
{
    QWidget opener;
    opener.show(); // its frame tells the window's
    ProgressWindow window(&opener);
    window.open();
    const QRect free = window.screen()->availableGeometry();
    const auto text = [](QRect r) {
        return QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
    };
    EXPECT_TRUE(free.contains(window.frameGeometry()))
        << "the window at " << text(window.frameGeometry()).toStdString() << " leaves the screen's free "
        << text(free).toStdString();
    const auto *clear = window.findChild<QWidget *>(QStringLiteral("clearButton"));
    EXPECT_TRUE(window.rect().contains(QRect(clear->mapTo(&window, QPoint()), clear->size())))
        << "the clear button is cut off";
}

TEST_F(Progress, LegendShowsEveryTint)
{
    QWidget opener;
    ProgressWindow window(&opener);
    window.open();
    for (const Knowledge knowledge :
         {Knowledge::Good, Knowledge::Fair, Knowledge::Weak, Knowledge::NeverAsked}) {
        const auto *swatch = window.findChild<QLabel *>(QStringLiteral("swatch%1").arg(int(knowledge)));
        ASSERT_NE(swatch, nullptr) << "no legend entry for knowledge " << int(knowledge);
        EXPECT_EQ(swatch->pixmap().toImage().pixelColor(0, 0).name().toStdString(),
                  knowledgeColour(knowledge).name().toStdString())
            << "the legend's colour for knowledge " << int(knowledge) << " is not its tint";
        EXPECT_TRUE(window.rect().contains(QRect(swatch->mapTo(&window, QPoint()), swatch->size())))
            << "the legend's colour for knowledge " << int(knowledge) << " is cut off";
    }
}
