#include "board_file.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace leaderboard;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A table whose every slot is visibly "kept" when the file gives nothing usable.
BoardTable previousTable()
{
    BoardTable table;
    table.boardNames.fill(QStringLiteral("old"));
    table.boardScores.fill(77);
    return table;
}

BoardTable tableOf(std::initializer_list<qint16> scores)
{
    BoardTable table;
    int slot = 0;
    for (qint16 score : scores) {
        table.boardNames[slot] = QStringLiteral("p%1").arg(slot);
        table.boardScores[slot++] = score;
    }
    return table;
}

class BoardFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("mirafon1.tmp");
};

} // namespace

TEST_F(BoardFile, ReadsEachLineByTheRules)
{
    struct Case
    {
        QByteArray line;
        QString name;
        qint16 score;
    };
    const Case cases[] = {
        {"Ann,15", "Ann", 15},         {"15", "old", 15},
        {"Ann,", "Ann", 77},           {",5", "", 5},
        {"Ann,abc", "Ann", 77},        {"Ann,12x", "Ann", 77},
        {"Ann,1 2", "Ann", 77},        {"Ann,1.5", "Ann", 77},
        {"Ann,\t5", "Ann", 77},        {"Ann,  -12  ", "Ann", -12},
        {"Ann,+12", "Ann", 12},        {"Ann,32767", "Ann", 32767},
        {"Ann,-32768", "Ann", -32768}, {"Ann,32768", "Ann", 77},
        {"Ann,-32769", "Ann", 77},     {"Ann,99999999999999999999", "Ann", 77},
        {"Ann,-", "Ann", 77},          {"a,b,3", "a", 77},
        {" Ann ,5", " Ann ", 5},       {"", "old", 77},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.constData());
        putBytes(path, c.line + "\r\nBob,2\r\n");
        BoardTable table = previousTable();
        ASSERT_TRUE(readBoard(path, table));
        EXPECT_EQ(table.boardNames[0], c.name);
        EXPECT_EQ(table.boardScores[0], c.score);
        // Whatever line 1 held, line 2 is slot 1.
        EXPECT_EQ(table.boardNames[1], QStringLiteral("Bob"));
        EXPECT_EQ(table.boardScores[1], 2);
    }
}

TEST_F(BoardFile, LineEndsAndFileLengths)
{
    putBytes(path, "A,1\rB,2\r\n\r\nD,4");
    BoardTable table = previousTable();
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[1], QStringLiteral("B"));
    EXPECT_EQ(table.boardNames[2], QStringLiteral("old"));
    EXPECT_EQ(table.boardNames[3], QStringLiteral("D"));
    EXPECT_EQ(table.boardScores[3], 4);
    // Slots past a short file keep what the table held.
    EXPECT_EQ(table.boardNames[4], QStringLiteral("old"));
    EXPECT_EQ(table.boardScores[9], 77);

    // A board saved with Linux line ends keeps its lines.
    putBytes(path, "L1,10\nL2,20\n\nL4,40\n");
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[1], QStringLiteral("L2"));
    EXPECT_EQ(table.boardScores[1], 20);
    EXPECT_EQ(table.boardNames[3], QStringLiteral("L4"));
    EXPECT_EQ(table.boardScores[3], 40);

    QByteArray twelve;
    for (int n = 1; n <= 12; ++n)
        twelve += "n" + QByteArray::number(n) + "," + QByteArray::number(100 - n) + "\r\n";
    putBytes(path, twelve);
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[9], QStringLiteral("n10"));
    ASSERT_TRUE(writeBoard(path, table, 0, QStringLiteral("new"), 500));
    EXPECT_EQ(fileBytes(path).count("\r\n"), 10);
    EXPECT_FALSE(fileBytes(path).contains("n10,"));
}

TEST_F(BoardFile, HostileBytesCostBoundedWorkAndDoNotLeakAcrossLines)
{
    const qsizetype mib = 1024 * 1024;
    // The comma lies past the kept first MiB, so the line gives nothing.
    putBytes(path, QByteArray(mib + 10, 'x') + ",7\r\nBob,2\r\n");
    BoardTable table = previousTable();
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[0], QStringLiteral("old"));
    EXPECT_EQ(table.boardScores[0], 77);
    EXPECT_EQ(table.boardNames[1], QStringLiteral("Bob"));

    // The cut falls inside a two-byte character; its half must not join line 2.
    putBytes(path, QByteArray(mib - 1, 'x') + "\xD0\xA1,9\r\n\xC3\xF7,3\r\n");
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[1], QString::fromUtf8("明"));
    EXPECT_EQ(table.boardScores[1], 3);

    static const char binary[] = "\xff\x00\x81,7\r\n\x01\x02\x80\xfe\xfe";
    putBytes(path, QByteArray(binary, sizeof binary - 1));
    table = previousTable();
    ASSERT_TRUE(readBoard(path, table));
    EXPECT_EQ(table.boardScores[0], 7);
    EXPECT_EQ(table.boardNames[1], QStringLiteral("old"));
}

TEST_F(BoardFile, MissingOrUnreadableFileIsNotReadAndAnUnreadableOneIsLeftAlone)
{
    BoardTable table = previousTable();
    EXPECT_FALSE(readBoard(path, table));
    EXPECT_EQ(table.boardNames[0], QStringLiteral("old"));

    ASSERT_TRUE(QDir(dir.path()).mkdir("mirafon1.tmp"));
    EXPECT_FALSE(readBoard(path, table));
    EXPECT_FALSE(createDefaultBoard(path, table));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(table.boardNames[0], QStringLiteral("0"));
    EXPECT_EQ(table.boardScores[0], 0);
    EXPECT_FALSE(writeBoard(path, table, 0, QStringLiteral("Ann"), 5));
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(BoardFile, DefaultBoardIsTenUnpaddedLinesAndSurvivesAFailedCreate)
{
    BoardTable table = previousTable();
    EXPECT_TRUE(createDefaultBoard(path, table));
    QByteArray expected;
    for (int n = 0; n < 10; ++n)
        expected += "0,0\r\n";
    EXPECT_EQ(fileBytes(path), expected);
    BoardTable readBack = previousTable();
    ASSERT_TRUE(readBoard(path, readBack));
    EXPECT_EQ(readBack.boardNames, table.boardNames);
    EXPECT_EQ(readBack.boardScores, table.boardScores);

    // A folder that cannot exist, since its parent is a regular file.
    putBytes(dir.filePath("plain"), "x");
    BoardTable failed = previousTable();
    EXPECT_FALSE(createDefaultBoard(dir.filePath("plain/mirafon1.tmp"), failed));
    EXPECT_EQ(failed.boardNames, table.boardNames);
    EXPECT_EQ(failed.boardScores, table.boardScores);
}

TEST(FindInsertPos, FirstStrictlyLowerScoreFromTheTop)
{
    const BoardTable worked = tableOf({900, 500, 500, 120, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(findInsertPos(worked, 500), 3);
    EXPECT_EQ(findInsertPos(worked, 901), 0);
    EXPECT_EQ(findInsertPos(worked, 1), 4);
    EXPECT_EQ(findInsertPos(worked, 0), -1);
    EXPECT_EQ(findInsertPos(tableOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}), 1), 9);
    EXPECT_EQ(findInsertPos(BoardTable{}, 1), 0);
    // The table is not assumed sorted.
    EXPECT_EQ(findInsertPos(tableOf({5, 100, 3, 200, 1, 1, 1, 1, 1, 1}), 50), 0);
    EXPECT_EQ(findInsertPos(tableOf({-3, -3, -3, -3, -3, -3, -3, -3, -3, -7}), -5), 9);
    // The new score is compared as 32 bits.
    const BoardTable top = tableOf({32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767});
    EXPECT_EQ(findInsertPos(top, 40000), 0);
    EXPECT_EQ(findInsertPos(tableOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), -70000), -1);
}

TEST_F(BoardFile, WorkedExampleWritesTheNewEntryBelowItsEquals)
{
    const BoardTable table = tableOf({900, 500, 500, 120, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(writeBoard(path, table, findInsertPos(table, 500), QStringLiteral("new"), 500));
    EXPECT_EQ(fileBytes(path), QByteArray("p0,900\r\np1,500\r\np2,500\r\nnew,500\r\np3,120\r\n"
                                          "p4,0\r\np5,0\r\np6,0\r\np7,0\r\np8,0\r\n"));
}

TEST_F(BoardFile, InsertAtEachPlaceRoundTrips)
{
    const BoardTable table = tableOf({90, 80, 70, 60, 50, 40, 30, 20, 10, -5});
    for (qint16 pos = 0; pos < 10; ++pos) {
        SCOPED_TRACE(pos);
        ASSERT_TRUE(writeBoard(path, table, pos, QStringLiteral("  new  "), -1234));
        BoardTable readBack;
        ASSERT_TRUE(readBoard(path, readBack));
        for (int slot = 0; slot < 10; ++slot) {
            const int from = slot < pos ? slot : slot - 1;
            EXPECT_EQ(readBack.boardNames[slot],
                      slot == pos ? QStringLiteral("  new  ") : table.boardNames[from]);
            EXPECT_EQ(readBack.boardScores[slot], slot == pos ? -1234 : table.boardScores[from]);
        }
    }
    EXPECT_FALSE(writeBoard(path, table, -1, QStringLiteral("x"), 1));
}

TEST_F(BoardFile, NamesKeepTheirCharactersAndStayOnOneLine)
{
    const BoardTable table = tableOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    // GB18030 stores what GBK has exactly as GBK does.
    const QString chinese = QString::fromUtf8("小明·李华");
    ASSERT_TRUE(writeBoard(path, table, 0, chinese, 30));
    EXPECT_TRUE(fileBytes(path).startsWith(QStringEncoder("GBK").encode(chinese) + ",30\r\n"));

    const QString elsewhere = QString::fromUtf8("Zoë 😀 𠀀 Ωμέγα");
    ASSERT_TRUE(writeBoard(path, table, 0, elsewhere, 31));
    BoardTable readBack;
    ASSERT_TRUE(readBoard(path, readBack));
    EXPECT_EQ(readBack.boardNames[0], elsewhere);

    ASSERT_TRUE(writeBoard(path, table, 0, QStringLiteral("a,b\r\nc\td\x01"), 32));
    EXPECT_EQ(fileBytes(path).count("\r\n"), 10);
    ASSERT_TRUE(readBoard(path, readBack));
    EXPECT_EQ(readBack.boardNames[0], QString::fromUtf8("a，b  c d "));
    EXPECT_EQ(readBack.boardScores[0], 32);
}

TEST_F(BoardFile, ScoreBeyondSixteenBitsIsWrittenInFullButNotReadBack)
{
    ASSERT_TRUE(writeBoard(path, tableOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0, QStringLiteral("big"), 40000));
    EXPECT_TRUE(fileBytes(path).startsWith("big,40000\r\n"));
    BoardTable readBack = previousTable();
    ASSERT_TRUE(readBoard(path, readBack));
    EXPECT_EQ(readBack.boardNames[0], QStringLiteral("big"));
    EXPECT_EQ(readBack.boardScores[0], 77);
}

TEST_F(BoardFile, FailedWriteLeavesTheOldFileByteForByte)
{
    const QByteArray old = "keep,5\r\n";
    putBytes(path, old);
    // A file size limit makes the disk "full" even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = writeBoard(path, tableOf({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 0, QStringLiteral("n"), 9);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"mirafon1.tmp"});
}
