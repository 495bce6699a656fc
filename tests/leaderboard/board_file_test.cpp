// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

// A table named p0 .. p9, with the given scores first and 0 for the rest.
BoardTable tableOf(std::initializer_list<qint16> scores)
{
    BoardTable table;
    std::copy(scores.begin(), scores.end(), table.boardScores.begin());
    for (int slot = 0; slot < BoardPlaces; ++slot)
        table.boardNames[slot] = QStringLiteral("p%1").arg(slot);
    return table;
}

// Every slot as "name,score".
QStringList entries(const BoardTable &table)
{
    QStringList list;
    for (int slot = 0; slot < BoardPlaces; ++slot)
        list << table.boardNames[slot] + ',' + QString::number(table.boardScores[slot]);
    return list;
}

class BoardFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("mirafon1.tmp");

    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes the bytes given, if any, and reads the file over a table whose every
    // slot holds "?,77", so that the slots the file gives nothing for show.
    QStringList read(const QByteArray &fileBytes = {})
    {
        if (QFile file(path); !fileBytes.isNull() && file.open(QIODevice::WriteOnly))
            file.write(fileBytes);
        BoardTable table;
        table.boardNames.fill(QStringLiteral("?"));
        table.boardScores.fill(77);
        EXPECT_TRUE(readBoard(path, table));
        return entries(table);
    }
    QByteArray write(const QString &name, qint32 score, qint16 pos = 0, const BoardTable &table = tableOf({}))
    {
        EXPECT_TRUE(writeBoard(path, table, pos, name, score));
        return bytes();
    }
};

} // namespace

TEST_F(BoardFile, ReadsEachLineByTheRulesWhateverItsEndAndTenAtMost)
{
    // Not a 16-bit whole number with at most blanks and a sign: the slot keeps its score;
    // the slots past a short file keep theirs.
    const QStringList kept = QStringList({"Ann,77", "Bob,2"}) + QStringList(8, "?,77");
    for (const char *score :
         {"", "abc", "12x", "1 2", "1.5", "\t5", "-", "32768", "-32769", "65536", "3,4", "5\x81"})
        EXPECT_EQ(read("Ann," + QByteArray(score) + "\r\nBob,2"), kept) << score;
    // Each line is its slot, an empty one and one without a comma too, ended by CR, LF or CR LF.
    EXPECT_EQ(read("Ann,15\r15\n,5\r\nAnn,  -12  \r\nAnn,+12\r\n"
                   "Ann,32767\nAnn,-32768\r\n Ann ,5\n\nBob,2\r\nn11,1\r\n"),
              QStringList({"Ann,15", "?,15", ",5", "Ann,-12", "Ann,12", "Ann,32767", "Ann,-32768", " Ann ,5",
                           "?,77", "Bob,2"}));
}

TEST_F(BoardFile, HostileBytesCostBoundedWorkAndDoNotLeakAcrossLines)
{
    const qsizetype mib = 1024 * 1024;
    // The comma lies past the kept first MiB, so the line gives nothing.
    EXPECT_EQ(read(QByteArray(mib + 10, 'x') + ",7\r\nBob,2\r\n").mid(0, 2), QStringList({"?,77", "Bob,2"}));
    // The cut falls inside a two-byte character; its half must not join line 2.
    EXPECT_EQ(read(QByteArray(mib - 1, 'x') + "\xD0\xA1,9\r\n\xC3\xF7,3\r\n")[1], QString::fromUtf8("明,3"));
    // FF is U+F8F5 in code page 936; a lead byte without its second is U+FFFD.
    EXPECT_EQ(read(QByteArrayLiteral("\xff\x00\x81,7\r\n\x01\x02\x80\xfe\xfe")).mid(0, 2),
              QStringList({QString::fromUtf16(u"\uF8F5\0\uFFFD,7", 5), "?,77"}));
}

TEST_F(BoardFile, DefaultBoardIsWrittenOnlyWhereNothingStands)
{
    // A file that cannot be read (here a folder) is left alone, as is a folder that cannot
    // exist since its parent is a regular file; only making the default resets the table.
    ASSERT_TRUE(QDir(dir.path()).mkdir("mirafon1.tmp"));
    ASSERT_TRUE(QFile(dir.filePath("plain")).open(QIODevice::WriteOnly));
    for (const QString &at : {path, dir.filePath("plain/mirafon1.tmp")}) {
        BoardTable table = tableOf({5});
        EXPECT_FALSE(readBoard(at, table));
        EXPECT_EQ(entries(table)[0], "p0,5");
        EXPECT_FALSE(createDefaultBoard(at, table));
        EXPECT_EQ(entries(table), QStringList(10, "0,0"));
        EXPECT_FALSE(writeBoard(at, table, 0, QStringLiteral("Ann"), 5));
    }

    BoardTable table = tableOf({5});
    ASSERT_TRUE(QDir(dir.path()).rmdir("mirafon1.tmp") && createDefaultBoard(path, table));
    EXPECT_EQ(bytes(), QByteArray("0,0\r\n").repeated(10));
    EXPECT_EQ(read(), entries(table));
}

TEST_F(BoardFile, RanksBelowEqualsAndInsertsAtEachPlace)
{
    const BoardTable worked = tableOf({900, 500, 500, 120});
    EXPECT_EQ(findInsertPos(worked, 500), 3);
    EXPECT_EQ(findInsertPos(worked, 0), -1);
    // The table is not assumed sorted; the new score is compared as 32 bits.
    EXPECT_EQ(findInsertPos(tableOf({5, 100, 3, 200, 1, 1, 1, 1, 1, 1}), 50), 0);
    EXPECT_EQ(findInsertPos(tableOf({-3, -3, -3, -3, -3, -3, -3, -3, -3, -7}), -5), 9);
    EXPECT_EQ(findInsertPos(tableOf({32767}), 40000), 0);
    EXPECT_EQ(write("new", 500, findInsertPos(worked, 500), worked),
              "p0,900\r\np1,500\r\np2,500\r\nnew,500\r\np3,120\r\np4,0\r\np5,0\r\np6,0\r\np7,0\r\np8,0\r\n");
    for (qint16 pos = 0; pos < 10; ++pos) {
        write("  new  ", -1234, pos, worked);
        QStringList want = entries(worked);
        want.insert(pos, "  new  ,-1234");
        EXPECT_EQ(read(), want.mid(0, 10)) << pos;
    }
    EXPECT_FALSE(writeBoard(path, worked, -1, QStringLiteral("x"), 1));
}

TEST_F(BoardFile, NamesKeepTheirCharactersAndStayOnOneLineAndBigScoresAreNotReadBack)
{
    // A board from Chinese Windows: every two-byte code of code page 936 and its single
    // bytes 80 and FF read as Windows shows them, and come back byte for byte, as does
    // U+20000 in GB18030's four bytes.
    QByteArray codes;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            codes += trail == 0x7F ? QByteArray() : QByteArray({char(lead), char(trail)});
    }
    const QByteArray windows = codes + ",1\r\n\x80\xA2\xE3\xA8\xBC\xFE\x50\xFF\x95\x32\x82\x36,2\r\n";
    EXPECT_EQ(read(windows)[1], QString::fromUtf16(u"€\uE76C\uE7C7\uE815\uF8F5𠀀,2"));
    BoardTable table;
    ASSERT_TRUE(readBoard(path, table));
    const QString chinese = QString::fromUtf8("小明·李华€");
    EXPECT_TRUE(write(chinese, 30, 0, table)
                    .startsWith(QStringEncoder("windows-936").encode(chinese) + ",30\r\n" + windows));
    // Characters code page 936 lacks, some of them at GB18030 codes that Windows reads as others.
    const QString elsewhere = QString::fromUtf8("Zoë 😀 𠀀 Ωμέγα ḿ⺁〾");
    write(elsewhere, 31);
    EXPECT_EQ(read()[0], elsewhere + ",31");
    EXPECT_EQ(write("a,b\r\nc\td\x01", 32).count("\r\n"), 10);
    EXPECT_EQ(read()[0], QString::fromUtf8("a，b  c d ,32"));
    // Written in full, but past 16 bits the score is not read back.
    EXPECT_TRUE(write("big", 40000).startsWith("big,40000\r\n"));
    EXPECT_EQ(read()[0], "big,77");
}

TEST_F(BoardFile, NameTooLongForTheReadersMibIsCutSoThatItsLineReadsBack)
{
    // A name read from stray bytes holds U+FFFD, four bytes when written: a
    // quarter MiB of them grows past what the reader keeps of a line.
    const qsizetype mib = 1024 * 1024;
    BoardTable table = tableOf({5, 3});
    table.boardNames[0] = QString(300000, QChar::ReplacementCharacter);
    table.boardNames[1] = QStringLiteral("Bob");
    const QByteArray written = write(QString(mib, u'a'), 4, 1, table);
    for (const QByteArray &line : written.split('\n'))
        EXPECT_LE(line.size(), mib + 1); // with its CR
    const QStringList back = read();
    // Reported by length and end: the names are a quarter MiB and a MiB long.
    const QString want[] = {QString((mib - 2) / 4, QChar::ReplacementCharacter) + ",5",
                            QString(mib - 2, u'a') + ",4", "Bob,3"};
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_TRUE(back[slot] == want[slot]) << "slot " << slot << ": " << back[slot].size()
                                              << " characters ending " << qPrintable(back[slot].right(6));
}

TEST_F(BoardFile, FailedWriteLeavesTheOldFileByteForByte)
{
    read("keep,5\r\n");
    // A file size limit makes the disk "full" even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tiny{16, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = writeBoard(path, tableOf({}), 0, QStringLiteral("n"), 9);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(bytes(), "keep,5\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"mirafon1.tmp"});
}
