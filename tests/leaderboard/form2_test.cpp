#include "catalogue.h"
#include "cue_player.h"
#include "form2.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Play
{
    QByteArray wav;
    bool wait;
};

class RecordingPlayer : public CuePlayer
{
public:
    void play(const QByteArray &wav, bool wait) override { plays.append({wav, wait}); }
    QList<Play> plays;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Form2Test : public ::testing::Test
{
protected:
    void SetUp() override { form->grd = 1; }

    // Ten lines with the given scores, named n0..n9.
    void putBoard(std::initializer_list<int> scores, const QString &folder = {})
    {
        QByteArray bytes;
        int k = 0;
        for (int score : scores)
            bytes += "n" + QByteArray::number(k++) + "," + QByteArray::number(score) + "\r\n";
        QFile file((folder.isEmpty() ? sPath : folder) + "mirafon1.tmp");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString boardPath() const { return sPath + "mirafon1.tmp"; }

    void openWith(qint32 score)
    {
        form->fcount = score;
        form->open();
    }

    // Only the number asked for is known here; once the sounds exist, the
    // bytes played must be exactly that cue.
    void expectCue(int number)
    {
        const QByteArray wanted = content::sound(number);
        if (wanted.isEmpty()) {
            EXPECT_TRUE(player.plays.isEmpty());
            return;
        }
        ASSERT_EQ(player.plays.size(), 1);
        EXPECT_EQ(player.plays[0].wav, wanted);
        EXPECT_FALSE(player.plays[0].wait);
    }

    QLabel *label(const char *column, int k) const
    {
        return form->findChild<QLabel *>(QStringLiteral("%1_%2").arg(column).arg(k));
    }
    QLineEdit *text1() const { return form->findChild<QLineEdit *>("Text1"); }
    QPushButton *command1() const { return form->findChild<QPushButton *>("Command1"); }
    QString labt() const { return form->findChild<QLabel *>("Labt")->text(); }

    QTemporaryDir dir;
    QString sPath = dir.path() + "/";
    QWidget opener;
    RecordingPlayer player;
    std::unique_ptr<Form2> form = std::make_unique<Form2>(&opener, sPath, player);
    const QString prompt = QString::fromUtf8("恭喜恭喜!您上榜了。您的大名:");
};

} // namespace

TEST_F(Form2Test, EntryModeShowsTheBoardAsReadAndCheers)
{
    putBoard({900, 500, 500, 120, 0, 0, 0, 0, 0, 0});
    openWith(500);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8("排行榜"));
    EXPECT_EQ(form->size(), QSize(348, 371));
    EXPECT_FALSE(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(labt(), prompt);
    EXPECT_TRUE(text1()->isVisible());
    EXPECT_TRUE(command1()->isVisible());
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(label("Label1", k)->text(), QStringLiteral("n%1").arg(k));
        EXPECT_EQ(label("Label1", k)->geometry(), QRect(16, 80 + 24 * k, 81, 25));
        EXPECT_EQ(label("Label2", k)->geometry(), QRect(144, 80 + 24 * k, 89, 25));
        EXPECT_TRUE(label("Label2", k)->isVisible());
    }
    EXPECT_EQ(label("Label2", 3)->text(), QStringLiteral("120"));
    expectCue(content::CheerSound);

    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), text1());
}

TEST_F(Form2Test, ViewOnlyModeHidesTheEntryAndLeavesTheFileAlone)
{
    putBoard({9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    const QByteArray before = fileBytes(boardPath());
    openWith(9);
    EXPECT_EQ(labt(), QString::fromUtf8("排行榜"));
    EXPECT_FALSE(text1()->isVisible());
    EXPECT_FALSE(command1()->isVisible());
    expectCue(content::NoPlaceSound);
    EXPECT_FALSE(opener.isEnabled());
    form->close();
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_EQ(fileBytes(boardPath()), before);
}

TEST_F(Form2Test, NewBoardIsCreatedSilentlyAndAnyScoreTakesPlaceOne)
{
    openWith(-3);
    EXPECT_EQ(fileBytes(boardPath()).count("0,0\r\n"), 10);
    EXPECT_EQ(labt(), prompt);
    EXPECT_TRUE(text1()->isVisible());
    EXPECT_TRUE(command1()->isVisible());
    EXPECT_EQ(label("Label1", 9)->text(), QStringLiteral("0"));
    EXPECT_EQ(label("Label2", 9)->text(), QStringLiteral("0"));
    EXPECT_TRUE(player.plays.isEmpty());
    text1()->setText(QStringLiteral("Ann"));
    QTest::mouseClick(command1(), Qt::LeftButton);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_TRUE(fileBytes(boardPath()).startsWith("Ann,-3\r\n0,0\r\n"));

    // A board lost later in the run is silent too, whatever played before.
    putBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    openWith(5);
    form->close();
    const qsizetype played = player.plays.size();
    QFile::remove(boardPath());
    openWith(5);
    EXPECT_EQ(player.plays.size(), played);
}

TEST_F(Form2Test, EnterConfirmsLikeTheButtonAndEmptyNamesAreIgnored)
{
    putBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QByteArray before = fileBytes(boardPath());
    openWith(7);
    QTest::keyClick(text1(), Qt::Key_Return);
    QTest::mouseClick(command1(), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(opener.isEnabled());
    EXPECT_EQ(fileBytes(boardPath()), before);

    QTest::keyClicks(text1(), "Bo, b");
    QTest::keyClick(text1(), Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(opener.isEnabled());
    // The typed comma is kept as a full-width one, A3 AC.
    EXPECT_TRUE(fileBytes(boardPath()).startsWith("Bo\xA3\xAC b,7\r\n"));

    openWith(8);
    QTest::keyClicks(text1(), "   ");
    QTest::keyClick(text1(), Qt::Key_Enter);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(fileBytes(boardPath()).startsWith("   ,8\r\n"));
}

TEST_F(Form2Test, ChineseNameIsStoredInTheBoardsEncoding)
{
    openWith(12);
    text1()->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("小明"));
    QApplication::sendEvent(text1(), &commit);
    QTest::keyClick(text1(), Qt::Key_Return);
    EXPECT_TRUE(fileBytes(boardPath()).startsWith("\xD0\xA1\xC3\xF7,12\r\n"));
}

TEST_F(Form2Test, CloseBoxDiscardsTheEntryAndTheNextOpeningStartsAfresh)
{
    putBoard({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QByteArray before = fileBytes(boardPath());
    openWith(0);
    ASSERT_FALSE(text1()->isVisible());
    form->close();

    openWith(3);
    EXPECT_EQ(labt(), prompt);
    EXPECT_TRUE(text1()->isVisible());
    EXPECT_TRUE(command1()->isVisible());
    QTest::keyClicks(text1(), "typed");
    form->close();
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_EQ(fileBytes(boardPath()), before);

    openWith(3);
    EXPECT_TRUE(text1()->text().isEmpty());
}

TEST_F(Form2Test, EachOpeningReadsTheFolderAnewAndKeepsSlotsAShortFileLacks)
{
    putBoard({90, 80, 70, 60, 50, 40, 30, 20, 10, 5});
    openWith(0);
    form->close();
    QTemporaryDir other;
    QFile file(other.filePath("mirafon1.tmp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("short,1\r\n");
    file.close();
    sPath = other.path() + "/";
    openWith(0);
    EXPECT_EQ(label("Label1", 0)->text(), QStringLiteral("short"));
    EXPECT_EQ(label("Label1", 1)->text(), QStringLiteral("n1"));
    EXPECT_EQ(label("Label2", 9)->text(), QStringLiteral("5"));
}

TEST_F(Form2Test, UnreadableBoardIsLeftAloneAndAFailedWriteStillCloses)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("mirafon1.tmp"));
    openWith(40);
    EXPECT_TRUE(QFileInfo(boardPath()).isDir());
    EXPECT_TRUE(text1()->isVisible());
    EXPECT_EQ(label("Label1", 0)->text(), QStringLiteral("0"));
    text1()->setText(QStringLiteral("Ann"));
    QTest::keyClick(text1(), Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(opener.isEnabled());
    EXPECT_TRUE(QFileInfo(boardPath()).isDir());
}
