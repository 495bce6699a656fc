// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "children.h"
#include "progress_window.h"
#include "tally.h"
#include "tinted_figure.h"
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

// The first child's record, the one kept before there were children.
QString firstRecord()
{
    return recordPath(FirstChildId);
}

// A word the record lacks counts as never asked.
WordCount countOf(const QString &word)
{
    const Record record = readRecord(firstRecord());
    const auto entry = std::ranges::find(record, word, &WordCount::word);
    return entry == record.end() ? WordCount() : *entry;
}

} // namespace

TEST_F(Progress, CountsFirstClicksAcrossGames)
{
    const QDateTime before = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
    Tally tally;
    tally.setRecordPath(firstRecord());
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
    EXPECT_GE(countOf("brow").lastAsked, before) << "brow's last ask not kept as a UTC time";
    EXPECT_TRUE(countOf("eye").lastAsked.isNull()) << "a word never asked has a time";
    EXPECT_TRUE(countOf("chin").lastMissed) << "chin's missed first click not kept as its last";
    const QStringList lines =
        progressTable(readRecord(firstRecord())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 20) << "the table does not list every word";
    // chin's hit after a miss is not right; finger's asks in two games add up.
    EXPECT_EQ(lines.mid(0, 3).join('|').toStdString(), "chin\t1\t0|brow\t1\t1|eye\t0\t0")
        << "not weakest first, or chin's first click misjudged";
    EXPECT_EQ(lines.value(10).toStdString(), "finger\t3\t2") << "figure 2 not from finger, 3 asked, 2 right";
}

// A damaged line alone is lost, a file that is no record at all whole; the
// damaged file is kept aside before the next game saves over it.
TEST_F(Progress, DamagedLinesAloneAreLostAndTheFileKeptAside)
{
    const QByteArray header = "tovasel-progress\t1\n", brow = "brow\t7\t3\t2026-01-02T03:04:05Z\n";
    // What each file holds, and whether brow's good line survives it.
    const std::tuple<const char *, QByteArray, bool> damages[] = {
        {"cut before its last new line", header + brow + "chin\t2\t1\t2026-01-02T03:04:05Z", true},
        {"right above asked", header + "chin\t2\t3\t2026-01-02T03:04:05Z\n" + brow, true},
        {"a local time", header + brow + "chin\t2\t1\t2026-01-02T03:04:05\n", true},
        {"binary junk", header + QByteArray("\0\xff\t\x80\n", 5) + brow, true},
        {"another version", "tovasel-progress\t3\n" + brow, false},
        {"too large", header + brow + QByteArray("zzz\t0\t0\t\n").repeated(8000), false},
    };
    QDir().mkpath(QFileInfo(firstRecord()).absolutePath());
    for (const auto &[damage, bytes, browKept] : damages) {
        SCOPED_TRACE(damage);
        QFile damaged(firstRecord());
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    damaged.write(bytes) == bytes.size())
            << "the damaged file could not be written";
        damaged.close();
        EXPECT_EQ(countOf("brow").asked, browKept ? 7 : 0) << "brow's good line";
        EXPECT_EQ(countOf("chin").asked, 0) << "chin's damaged line was trusted";
        Tally tally;
        tally.setRecordPath(firstRecord());
        tally.questionAsked(1, 1); // chin
        tally.gameEnded();
        EXPECT_EQ(countOf("chin").asked, 1) << "the new game was not saved";
        QFile aside(damagedRecordPath(firstRecord()));
        EXPECT_TRUE(aside.open(QIODevice::ReadOnly) && aside.readAll() == bytes) << "the file kept aside";
    }
    QFile::remove(firstRecord());
    QDir().mkpath(firstRecord());
    EXPECT_EQ(countOf("brow").asked, 0) << "a folder in the record's place is not read as empty";
    EXPECT_FALSE(writeRecord(freshRecord(), firstRecord())) << "a save over a folder claims success";
}

// Good above 80 % right at the first click, Fair from 50 %, Weak below.
TEST(ProgressColour, FollowsTheShareRightAtTheFirstClick)
{
    const std::tuple<int, int, Knowledge> rows[] = {
        {0, 0, Knowledge::NeverAsked}, {1000, 801, Knowledge::Good}, {5, 4, Knowledge::Fair},
        {2, 1, Knowledge::Fair},       {1000, 499, Knowledge::Weak}, {1, 0, Knowledge::Weak}};
    for (const auto &[asked, right, expected] : rows)
        EXPECT_EQ(int(knowledge(asked, right)), int(expected)) << right << " right of " << asked;
}

// Qt's offscreen screen is 800 x 600, a netbook's: the window, its legend and
// its clear button fit it.
TEST_F(Progress, WindowTintsPartsByKnowledgeAndFitsASmallScreen)
{
    Record record = freshRecord();
    record[1] = {"chin", 1, 1, 4, 1, QDateTime::currentDateTimeUtc()}; // one right of four: red
    ASSERT_TRUE(writeRecord(record, firstRecord())) << "cannot set up the record";
    QWidget opener;
    opener.show(); // its frame tells the window's
    ProgressWindow window(&opener);
    window.open();
    EXPECT_FALSE(!QApplication::activeModalWidget()) << "the opener is not held while the window is open";
    const auto pixel = [&window](int figureNo, int wordIndex) {
        const QLabel *figure = window.findChild<QLabel *>(QStringLiteral("figure%1").arg(figureNo));
        return figure->pixmap().toImage().pixelColor(content::hotSpot(figureNo, wordIndex).center());
    };
    const QColor chin = pixel(1, 1), ear = pixel(2, 2);
    EXPECT_GT(chin.red() - std::max(chin.green(), chin.blue()), 110) << "the weak chin is not red";
    EXPECT_LT(std::max({ear.red(), ear.green(), ear.blue()}) - std::min({ear.red(), ear.green(), ear.blue()}),
              50)
        << "the ear never asked is not grey";
    const auto inView = [&window](const char *name) {
        const auto *widget = window.findChild<QWidget *>(QLatin1String(name));
        return window.rect().contains(QRect(widget->mapTo(&window, QPoint()), widget->size()));
    };
    EXPECT_TRUE(window.screen()->availableGeometry().contains(window.frameGeometry())) << "off the screen";
    EXPECT_TRUE(inView("clearButton")) << "the clear button is cut off";
    EXPECT_TRUE(inView("childBox")) << "who plays is cut off";
    EXPECT_TRUE(window.findChild<QWidget *>("practiceButton")->isEnabled()) << "no practice for a weak chin";
    for (const Knowledge knowledge :
         {Knowledge::Good, Knowledge::Fair, Knowledge::Weak, Knowledge::NeverAsked}) {
        const QByteArray swatch = "swatch" + QByteArray::number(int(knowledge));
        EXPECT_TRUE(inView(swatch)) << swatch.data() << " is cut off";
        EXPECT_EQ(window.findChild<QLabel *>(swatch)->pixmap().toImage().pixelColor(0, 0),
                  knowledgeColour(knowledge))
            << swatch.data() << " is not its tint";
    }
    window.close();
    EXPECT_TRUE(!QApplication::activeModalWidget()) << "the opener is not released on closing";
}
