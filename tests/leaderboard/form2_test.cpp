// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "cue_player.h"
#include "fonts.h"
#include "form2.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Each cue as its bytes; one played to wait for shows as "wait".
struct Recorder : CuePlayer
{
    QByteArrayList plays;
    void play(const QByteArray &wav, bool wait) override { plays << (wait ? "wait" : wav); }
};

class Form2Test : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString sPath = dir.path() + "/";
    QWidget opener;
    Recorder player;
    Form2 form{&opener, sPath, player};
    QLineEdit *text1 = form.findChild<QLineEdit *>("Text1");
    QPushButton *command1 = form.findChild<QPushButton *>("Command1");

    void SetUp() override { form.grd = 1; }
    void putBoard(const QByteArray &bytes)
    {
        QFile file(sPath + "mirafon1.tmp");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray board() const
    {
        QFile file(sPath + "mirafon1.tmp");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The ten rows shown, as "name,score".
    QStringList shown() const
    {
        QStringList rows;
        for (int k = 0; k < 10; ++k)
            rows << form.findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k))->text() + ',' +
                        form.findChild<QLabel *>(QStringLiteral("Label2_%1").arg(k))->text();
        return rows;
    }
    // Opens the window for a score and checks its mode: caption, name entry and cue (0: none).
    void openFor(qint32 score, bool entry, int cue)
    {
        player.plays.clear();
        form.fcount = score;
        form.open();
        EXPECT_TRUE(form.isVisible() && !opener.isEnabled());
        EXPECT_EQ(form.findChild<QLabel *>("Labt")->text(),
                  QString::fromUtf8(entry ? "恭喜恭喜!您上榜了。您的大名:" : "排行榜"));
        EXPECT_TRUE(text1->isVisible() == entry && command1->isVisible() == entry);
        EXPECT_EQ(player.plays, cue ? QByteArrayList{content::sound(cue)} : QByteArrayList{});
    }
    bool closed() const { return !form.isVisible() && opener.isEnabled(); }
};

} // namespace

TEST_F(Form2Test, EntryModeShowsTheBoardAsReadCheersAndTakesTheNameFromTheButton)
{
    putBoard("n0,900\r\nn1,500\r\nn2,500\r\nn3,120\r\n" + QByteArray("z,0\r\n").repeated(6));
    openFor(500, true, content::CheerSound);
    EXPECT_EQ(shown(), QStringList({"n0,900", "n1,500", "n2,500", "n3,120"}) + QStringList(6, "z,0"));
    // The layout: rows 24 pixels apart from 80 in two columns, and the red bold prompt.
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1_%1").arg(k))->geometry(),
                  QRect(16, 80 + 24 * k, 81, 25));
        EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label2_%1").arg(k))->geometry(),
                  QRect(144, 80 + 24 * k, 89, 25));
    }
    EXPECT_EQ(form.size(), QSize(348, 371));
    const QLabel *labt = form.findChild<QLabel *>("Labt");
    EXPECT_EQ(labt->palette().color(labt->foregroundRole()), QColor(255, 0, 0));
    EXPECT_TRUE(labt->font() == toolkit::songFont(9, true) && labt->font().bold() &&
                labt->font().pointSize() == 9);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), text1);
    QTest::keyClicks(text1, "Ann");
    QTest::mouseClick(command1, Qt::LeftButton);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(board().startsWith("n0,900\r\nn1,500\r\nn2,500\r\nAnn,500\r\nn3,120\r\n"));
}

TEST_F(Form2Test, NewBoardIsMadeSilentlyAndTakesANameByEnterButNotAnEmptyOne)
{
    openFor(-3, true, 0);
    EXPECT_EQ(shown(), QStringList(10, "0,0"));
    QTest::keyClick(text1, Qt::Key_Return);
    QTest::mouseClick(command1, Qt::LeftButton);
    EXPECT_TRUE(form.isVisible() && !opener.isEnabled());
    EXPECT_EQ(board(), QByteArray("0,0\r\n").repeated(10));
    QTest::keyClicks(text1, "Bo, b");
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_TRUE(closed());
    // Any score takes place one on a new board; the typed comma is kept as a full-width one, A3 AC.
    EXPECT_TRUE(board().startsWith("Bo\xA3\xAC b,-3\r\n0,0\r\n"));
    openFor(8, true, content::CheerSound);
    QTest::keyClicks(text1, "   ");
    QTest::keyClick(text1, Qt::Key_Enter);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(board().startsWith("   ,8\r\nBo\xA3\xAC b,-3\r\n"));
    // A board lost later in the run is made silently too, whatever played before.
    QFile::remove(sPath + "mirafon1.tmp");
    openFor(5, true, 0);
}

TEST_F(Form2Test, ViewOnlyModeAndTheCloseBoxLeaveTheFileAloneAndTheNextOpeningStartsAfresh)
{
    putBoard(QByteArray("n,9\r\n").repeated(10));
    openFor(9, false, content::NoPlaceSound);
    form.close();
    EXPECT_TRUE(closed());
    openFor(10, true, content::CheerSound);
    QTest::keyClicks(text1, "typed");
    form.close();
    EXPECT_TRUE(closed());
    EXPECT_EQ(board(), QByteArray("n,9\r\n").repeated(10));
    openFor(10, true, content::CheerSound);
    EXPECT_TRUE(text1->text().isEmpty());
}

TEST_F(Form2Test, ABoardThatCannotBeReadIsNeverReplaced)
{
    // The board's owner may write it but not read it, nor may root once it
    // acts as nobody (uid 65534), owning the folder and the board.
    putBoard(QByteArray("n,9\r\n").repeated(10));
    ASSERT_TRUE(QFile::setPermissions(sPath + "mirafon1.tmp", QFile::WriteOwner));
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown(qPrintable(dir.path()), 65534, 65534), 0);
        ASSERT_EQ(chown(qPrintable(sPath + "mirafon1.tmp"), 65534, 65534), 0);
        ASSERT_EQ(seteuid(65534), 0);
    }
    openFor(5, true, 0);
    QTest::keyClicks(text1, "Ann");
    QTest::keyClick(text1, Qt::Key_Return);
    const bool closedAfterName = closed();
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
    EXPECT_TRUE(closedAfterName);
    QFile::setPermissions(sPath + "mirafon1.tmp", QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(board(), QByteArray("n,9\r\n").repeated(10));
}
