// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_entry.h"
#include "board_file.h"
#include "board_folder.h"
#include "board_format.h"
#include "board_store.h"
#include "catalogue.h"
#include "leaderboard_window.h"
#include "recording_player.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace leaderboard;

namespace {

constexpr qsizetype Mib = 1024 * 1024;

// Every place holds "?,77" before reading, so that the places the bytes give nothing for show.
const Board unread = [] {
    Board board;
    board.fill({QStringLiteral("?"), 77});
    return board;
}();

QStringList rows(const Board &board)
{
    QStringList list;
    for (const BoardEntry &entry : board)
        list << entry.name + ',' + QString::number(entry.score);
    return list;
}

// The board file in a scratch folder.
class BoardFile : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString sPath = dir.path() + "/", path = sPath + "mirafon1.tmp";

    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes the file and reads it over the unread board; the board read is left in board.
    QStringList read(const QByteArray &fileBytes)
    {
        if (QFile file(path); file.open(QIODevice::WriteOnly))
            file.write(fileBytes);
        board = unread;
        EXPECT_TRUE(readBoard(path, board)) << "a board that exists was not read";
        return rows(board);
    }
    Board board;
};

// The leaderboard window over the board file.
class BoardWindow : public BoardFile
{
protected:
    QWidget opener;
    RecordingPlayer player;
    LeaderboardWindow window{&opener, sPath, player};
    QLineEdit *nameEdit = window.findChild<QLineEdit *>("nameEdit");
    QLabel *prompt = window.findChild<QLabel *>("promptLabel");
    QWidget *confirmButton = window.findChild<QWidget *>("confirmButton");

    QLabel *label(const QString &column, int place)
    {
        return window.findChild<QLabel *>(column + QString::number(place));
    }
    QByteArrayList cueFor(qint32 score)
    {
        player.record.clear();
        window.open(score);
        return player.record;
    }
    void confirm(const char *name, Qt::Key key = Qt::Key_Return)
    {
        QTest::keyClicks(nameEdit, name);
        QTest::keyClick(nameEdit, key);
    }
};

} // namespace

TEST(BoardFormat, ReadsTenLinesWhateverTheirEnd)
{
    const QString ann = "Ann,77", bob = "Bob,2", unset = "?,77";
    // A score that is not a 16-bit whole number with at most blanks and a sign leaves the place's.
    const std::pair<QByteArray, QStringList> boards[] = {
        {"Ann," + QByteArrayList({"", "abc", "12x", "1 2", "1.5", "\t5", "-", "32768", "-32769", "65536"})
                      .join("\r\nAnn,"),
         QStringList(10, ann)},
        {"Ann,15\r15\n,5\r\nAnn,  -12  \r\nAnn,+12\r\nAnn,32767\nAnn,-32768\r\n Ann ,5\n\nBob,2\r\nn11,1\r\n",
         {"Ann,15", "?,15", ",5", "Ann,-12", "Ann,12", "Ann,32767", "Ann,-32768", " Ann ,5", unset, bob}},
        // Only a line's first MiB is read; a character cut there ends it and
        // leaks nothing into the next line; a lead byte alone is U+FFFD.
        {QByteArray(Mib + 10, 'x') + ",7\r\nBob,2\r\n" + QByteArray(Mib - 1, 'x') +
             "\xD0\xA1,9\r\n\xC3\xF7,3\r\n" + QByteArrayLiteral("\x81\x00,7\r\nAnn,3,4\r\nAnn,5\x81"),
         {unset, bob, unset, QString::fromUtf8("明,3"), QString::fromUtf16(u"\uFFFD\0,7", 4), ann, ann, unset,
          unset, unset}},
    };
    for (const auto &[bytes, want] : boards) {
        BoardReader reader(unread); // byte by byte: a file's pieces may part a CR from its LF
        for (const char &c : bytes)
            reader.read(QByteArrayView(&c, 1));
        EXPECT_EQ(rows(reader.finish()), want) << "misread: " << bytes.left(60).data();
    }
}

TEST(BoardFormat, NamesKeepTheirBytesAndFitOneLine)
{
    QByteArray codes; // every two-byte code of code page 936
    for (int code = 0x8140; code <= 0xFEFE; ++code)
        if (code % 256 >= 0x40 && code % 256 != 0x7F && code % 256 != 0xFF)
            codes += QByteArray({char(code >> 8), char(code)});
    // Bytes and the name read from them, rewritten byte for byte.
    const std::pair<QByteArray, QString> names[] = {
        {codes, QStringDecoder("windows-936").decode(codes)},
        {"\xD0\xA1\xC3\xF7\xA1\xA4\xC0\xEE\xBB\xAA\x80", QString::fromUtf8("小明·李华€")},
        // Codes that GB18030 reads as other characters, and FF, alone in code page 936.
        {"\xA2\xE3\xA8\xBC\xFE\x50\xFF", QString::fromUtf16(u"\uE76C\uE7C7\uE815\uF8F5")},
        // Characters code page 936 lacks take GB18030's four bytes, where Windows reads no other one.
        {"\x81\x30\x8A\x35\x94\x39\xFC\x36\x95\x32\x82\x36\x81\x35\xF4\x37", QString::fromUtf8("ë😀𠀀ḿ")},
    };
    for (const auto &[stored, name] : names) {
        const Board board = boardFromBytes(stored + ",1\r\n", unread);
        EXPECT_EQ(board[0].name, name) << "a stored name misread";
        EXPECT_EQ(boardBytes(board, 0, name, 2),
                  stored + ",2\r\n" + stored + ",1\r\n" + QByteArray("?,77\r\n").repeated(8))
            << "a name did not keep its bytes";
    }
    // Typed commas are stored as full-width ones, controls as spaces; a score is written in full.
    const QByteArray typed = boardBytes(unread, 9, QStringLiteral("a\r\nb\tc\x01,z"), 70000).value_or("");
    EXPECT_TRUE(typed.endsWith("?,77\r\na  b c \xA3\xACz,70000\r\n")) << typed.right(30).data();
    // A name read from stray bytes holds U+FFFD, four bytes when written.
    const Board strays{{{QString(300000, QChar::ReplacementCharacter), 5}}};
    const QStringList back =
        rows(boardFromBytes(boardBytes(strays, 1, QString(Mib, u'a'), 4).value_or(""), {}));
    EXPECT_EQ(back[0], QString((Mib - 2) / 4, QChar::ReplacementCharacter) + ",5") << "stray bytes' name cut";
    EXPECT_EQ(back[1], QString(Mib - 2, u'a') + ",4") << "long name cut";
}

// A board written in place is read from its whole copy only while it holds
// the copy's first bytes: cut short by a crash, not edited since.
TEST_F(BoardFile, CopyStandsInOnlyForABoardCutShort)
{
    const QByteArray copy = "Anna,9\r\n" + QByteArray("z,-1\r\n").repeated(9);
    if (QFile file(boardCopyPath(path)); file.open(QIODevice::WriteOnly))
        file.write(copy);
    EXPECT_EQ(read(copy.left(10)).value(1), "z,-1") << "a board cut short was not read from its copy";
    EXPECT_EQ(read("Bert,3\r\n").value(1), "?,77") << "an edited board was read from an old copy";
}

// A write killed between naming its finished copy "<board>.XXXXXX" and
// renaming it leaves the copy; the next write removes it, not a user's copy.
TEST_F(BoardFile, NextWriteRemovesACopyAKillLeft)
{
    for (const char *name : {"mirafon1.tmp.Ab3dE9", "mirafon1.tmp.bak", "mirafon1.tmp.Ab3dE9x"}) {
        if (QFile file(dir.filePath(name)); file.open(QIODevice::WriteOnly))
            file.write("Bert,3\r\n");
    }
    ASSERT_TRUE(writeBoard(path, unread, 0, QStringLiteral("Anna"), 9)) << "the board was not written";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"mirafon1.tmp", "mirafon1.tmp.Ab3dE9x", "mirafon1.tmp.bak"}))
        << "the copy a kill left stays, or a user's copy went";
}

TEST_F(BoardFile, EntryIsRankedAgainstTheBoardNow)
{
    read(QByteArray("z,-1\r\n").repeated(10));
    const Board shown = board;
    // Another copy stored Bert after this one read the board.
    ASSERT_TRUE(writeBoard(path, shown, 0, QStringLiteral("Bert"), 0)) << "the other copy's board";
    EXPECT_EQ(addEntry(path, shown, 0, QStringLiteral("Anna"), 0), EntryOutcome::Saved) << "Anna not stored";
    EXPECT_TRUE(bytes().startsWith("Bert,0\r\nAnna,0\r\nz,-1\r\n")) << bytes().left(40).data();
    const QByteArray better = QByteArray("b,5\r\n").repeated(10);
    read(better);
    EXPECT_EQ(addEntry(path, shown, 0, QStringLiteral("Anna"), 0), EntryOutcome::NoPlace)
        << "a place kept on a board that has none now";
    QLockFile otherCopy(path + ".lock");
    ASSERT_TRUE(otherCopy.tryLock(0)) << "the lock could not be taken";
    EXPECT_EQ(addEntry(path, board, 0, QStringLiteral("Anna"), 9), EntryOutcome::Failed)
        << "stored past another copy's lock";
    otherCopy.unlock();
    EXPECT_EQ(bytes(), better) << "a failed entry changed the board";
    // A board removed since is made anew, as an opening makes it.
    QFile::remove(path);
    EXPECT_EQ(addEntry(path, shown, 0, QStringLiteral("Anna"), -7), EntryOutcome::Saved) << "no new board";
    EXPECT_EQ(bytes(), "Anna,-7\r\n" + QByteArray("0,0\r\n").repeated(9)) << "the new board's bytes";
}

TEST(BoardFolder, ProgramFolderElseUserDataFolder)
{
    QTemporaryDir program, data;
    const QString userData = data.filePath("share/tovasel");
    EXPECT_EQ(boardFolder(program.path(), userData), program.path())
        << "a writable program folder passed over";
    EXPECT_TRUE(QDir(program.path()).isEmpty(QDir::Files | QDir::Hidden)) << "the probe was left behind";
    EXPECT_FALSE(QDir(userData).exists()) << "the user's folder made without need";
    // Nobody writes in /proc, root included, nor in a missing folder; an
    // empty name is a folder not found, not the root.
    EXPECT_EQ(boardFolder("/proc", userData), userData) << "a folder nobody writes in chosen";
    EXPECT_TRUE(QDir(userData).exists()) << "the user's folder was not made";
    EXPECT_EQ(boardFolder("", userData), userData) << "a folder not found taken as one";
    EXPECT_FALSE(canCreateFilesIn(program.filePath("no/such"))) << "files made in a missing folder";
}

TEST_F(BoardWindow, TakesANameOnlyForAPlace)
{
    const QByteArray board = "n0,900\r\nn1,500\r\nn2,500\r\nn3,120\r\n" + QByteArray("z,0\r\n").repeated(6);
    const QStringList shown = read(board);
    EXPECT_EQ(cueFor(0), QByteArrayList{content::sound(content::NoPlaceSound)}) << "no regret for no place";
    EXPECT_TRUE(nameEdit->isHidden() && confirmButton->isHidden()) << "a name box or button without a place";
    EXPECT_EQ(prompt->text(), QString::fromUtf8("排行榜")) << "the caption without a place";
    for (int place = 0; place < BoardPlaces; ++place) {
        EXPECT_EQ(label("name", place)->text() + ',' + label("score", place)->text(), shown[place]) << place;
        EXPECT_EQ(label("score", place)->geometry(), QRect(144, 80 + 24 * place, 89, 25)) << place;
    }
    // Opened again while open, for a score that ranks (compared as 32 bits),
    // and another window over the same opener.
    LeaderboardWindow other{&opener, sPath, player};
    other.open(0);
    window.move(30, 40);
    const QPoint placed = window.windowHandle()->position();
    EXPECT_EQ(cueFor(40000), QByteArrayList{content::sound(content::CheerSound)}) << "no cheer for a place";
    EXPECT_EQ(prompt->text(), QString::fromUtf8("恭喜恭喜!您上榜了。您的大名:")) << "the caption for a place";
    EXPECT_EQ(window.windowHandle()->position(), placed) << "a second opening moved the window";
    QTest::keyClicks(nameEdit, "typed");
    window.close();
    EXPECT_FALSE(!QApplication::activeModalWidget()) << "one window closed while another is open";
    other.close();
    EXPECT_TRUE(!QApplication::activeModalWidget()) << "the last window closed keeps the opener disabled";
    cueFor(500); // the name typed before is gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << "the board did not become active";
    EXPECT_EQ(QApplication::focusWidget(), nameEdit) << "the name box has no focus";
    QTest::keyClicks(nameEdit, "Ann");
    QTest::mouseClick(confirmButton, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible()) << "a stored name leaves the window open";
    EXPECT_TRUE(bytes().startsWith("n0,900\r\nn1,500\r\nn2,500\r\nAnn,500\r\nn3,120\r\n")) << bytes().data();
}

TEST_F(BoardWindow, NewBoardSilentAndNoEmptyName)
{
    EXPECT_EQ(cueFor(-3), QByteArrayList{}) << "a cue for a board just made";
    EXPECT_EQ(label("name", 9)->text() + label("score", 9)->text(), "00") << "the new board's last row";
    confirm("", Qt::Key_Enter); // stores nothing, so that the next name takes place one
    EXPECT_FALSE(createDefaultBoard(path)) << "a new board made over one that stands there";
    // Any score takes place one on a new board; a comma is stored as a full-width one.
    confirm("Bo, b", Qt::Key_Enter);
    EXPECT_TRUE(bytes().startsWith("Bo\xA3\xAC b,-3\r\n0,0\r\n")) << bytes().data();
    // A board lost later in the run is made silently too, whatever played before.
    QFile::remove(path);
    EXPECT_EQ(cueFor(5), QByteArrayList{}) << "a cue for a board made again";
}

TEST_F(BoardWindow, UnsavedNameKeepsTheWindowOpen)
{
    const QByteArray board = (QByteArray(40, 'n') + ",9\r\n").repeated(10);
    read(board);
    cueFor(10);
    // A file size limit makes the disk "full" even for root: room for the
    // lock beside the board, not for the board.
    rlimit saved{};
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0) << "no file size limit to read";
    const rlimit tiny{256, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0) << "no file size limit to set";
    confirm("Ann");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(window.isVisible()) << "closed over a name not stored";
    EXPECT_EQ(prompt->text(), QString::fromUtf8("抱歉,您的大名没能保存。")) << "the failure not said";
    EXPECT_LE(prompt->fontMetrics().horizontalAdvance(prompt->text()), prompt->width())
        << "the caption is cut";
    EXPECT_EQ(nameEdit->text(), "Ann") << "the name not stored is gone";
    EXPECT_EQ(bytes(), board) << "a failed save changed the board";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"mirafon1.tmp"})
        << "a failed save left files behind";
    // A board that stands there unread (a link to nowhere) is left alone, and no name goes through it.
    ASSERT_TRUE(QFile::remove(path)) << "the board could not be removed";
    ASSERT_TRUE(QFile::link(dir.filePath("gone"), path)) << "the link could not be made";
    EXPECT_EQ(cueFor(10), QByteArrayList{}) << "a cue for a board that could not be read";
    confirm("Ann");
    EXPECT_TRUE(window.isVisible()) << "closed over a name stored nowhere";
    EXPECT_FALSE(QFile::exists(dir.filePath("gone"))) << "a board was written through the link";
}
