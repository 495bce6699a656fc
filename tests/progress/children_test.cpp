// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "children.h"
#include "children_bar.h"
#include "tally.h"
#include "word_record.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace progress;

namespace {

class ChildrenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        QDir().mkpath(dataHome.path() + QStringLiteral("/tovasel"));
    }
    static int asked(int childId, int wordIndex) { return readRecord(recordPath(childId))[wordIndex].asked; }
    QTemporaryDir dataHome;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// The record kept before there were children is the first child's; each
// child's answers go to their own record.
TEST_F(ChildrenTest, TodaysRecordIsTheFirstChildsAndEachChildKeepsTheirOwn)
{
    ASSERT_TRUE(writeFile(dataHome.path() + QStringLiteral("/tovasel/progress.tsv"),
                          "tovasel-progress\t1\nbrow\t7\t3\t2026-01-02T03:04:05Z\n"))
        << "cannot write today's record";
    const Children first = readChildren();
    ASSERT_EQ(first.list.size(), 1) << "not one child before any was added";
    EXPECT_EQ(first.currentChild().name, firstChildName()) << "the first child's name";
    EXPECT_EQ(asked(first.current, 0), 7) << "today's record is not the first child's";

    ASSERT_EQ(chooseChild(QStringLiteral(" 小红 ")), NameProblem::None) << "a new child refused";
    const Children two = readChildren();
    ASSERT_EQ(two.list.size(), 2) << "the new child not kept";
    EXPECT_EQ(two.currentChild().name, QStringLiteral("小红")) << "the new child does not play now";
    Tally tally;
    tally.setRecordPath(recordPath(two.current));
    tally.questionAsked(1, 0);
    tally.setRecordPath(recordPath(FirstChildId)); // another child plays: the first saves
    tally.questionAsked(1, 0);
    tally.gameEnded();
    EXPECT_EQ(asked(two.current, 0), 1) << "小红's answer not in her record";
    EXPECT_EQ(asked(FirstChildId, 0), 8) << "the first child's record not kept apart";

    ASSERT_EQ(chooseChild(QStringLiteral("小朋友")), NameProblem::None) << "a known child refused";
    EXPECT_EQ(readChildren().list.size(), 2) << "a known name added again";
    EXPECT_EQ(readChildren().current, FirstChildId) << "the named child does not play now";
}

TEST_F(ChildrenTest, NamesThatCannotBeKeptAreRefused)
{
    Children children = readChildren();
    addChild(children, QStringLiteral("Tom"));
    const QString fortyFull = QString(40, QChar(0x5B57));
    const QString fortyAstral = QString::fromUcs4(std::u32string(40, U'\U00020BB7').c_str());
    const std::tuple<const char *, QString, NameProblem> rows[] = {
        {"empty", tidyName(QStringLiteral("   ")), NameProblem::Empty},
        {"forty characters", fortyFull, NameProblem::None},
        {"forty characters beyond the BMP", fortyAstral, NameProblem::None},
        {"forty-one characters", fortyFull + QLatin1Char('x'), NameProblem::TooLong},
        {"a line break", QStringLiteral("a\nb"), NameProblem::Unprintable},
        {"a name taken, case aside", QStringLiteral("tom"), NameProblem::Taken},
        {"a name with spaces", QStringLiteral("Tom Li"), NameProblem::None},
    };
    for (const auto &[what, name, problem] : rows)
        EXPECT_EQ(int(nameProblem(children, name)), int(problem)) << what;
    EXPECT_EQ(tidyName(QStringLiteral("e\u0301")), QStringLiteral("\u00e9")) << "a name is not composed";
    EXPECT_EQ(int(nameProblem(children, QStringLiteral("TOM"), children.find("Tom")->id)),
              int(NameProblem::None))
        << "a child cannot be renamed to their own name";
}

// A removed child's record goes with them, and is never a later child's.
TEST_F(ChildrenTest, RemovingAChildTakesTheirRecordAndKeepsTheLast)
{
    Children children = readChildren();
    EXPECT_FALSE(removeChild(children, FirstChildId)) << "the last child was removed";
    const int ann = addChild(children, QStringLiteral("Ann"));
    children.current = ann;
    ASSERT_TRUE(writeRecord(freshRecord(), recordPath(ann))) << "cannot write Ann's record";
    EXPECT_TRUE(removeChild(children, ann)) << "Ann was not removed";
    EXPECT_EQ(children.current, FirstChildId) << "nobody plays after the player was removed";
    EXPECT_FALSE(QFile::exists(recordPath(ann))) << "Ann's record stays";
    ASSERT_TRUE(writeRecord(freshRecord(), recordPath(ann))) << "cannot leave a record behind";
    EXPECT_NE(addChild(children, QStringLiteral("Bo")), ann) << "a new child took a record left behind";
}

TEST_F(ChildrenTest, ADamagedListIsKeptAside)
{
    const QByteArray damaged = R"({"format":"tovasel-children","version":1,"current":9,"children":[]})";
    ASSERT_TRUE(writeFile(childrenPath(), damaged)) << "cannot write the damaged list";
    EXPECT_EQ(readChildren().list.size(), 1) << "a damaged list is not read as the first child alone";
    QFile aside(childrenPath() + QStringLiteral(".damaged"));
    EXPECT_TRUE(aside.open(QIODevice::ReadOnly) && aside.readAll() == damaged) << "the damaged list not kept";
}

// Weak: asked, and right at the first click under 80 % of the time, or
// missed at the first click the last time.
TEST(WeakWords, FollowTheShareAndTheLastFirstClick)
{
    Record record = freshRecord();
    const std::tuple<int, int, int, bool, bool> rows[] = {
        // word index in the record, asked, right, last missed, weak
        {0, 5, 4, false, false}, {1, 5, 3, false, true}, {2, 10, 10, true, true},
        {3, 0, 0, false, false}, {12, 1, 0, true, true}, {4, 100000, 99999, false, false},
    };
    for (const auto &[index, asked, right, lastMissed, weak] : rows) {
        record[index].asked = asked;
        record[index].right = right;
        record[index].lastMissed = lastMissed;
        record[index].lastAsked = QDateTime::currentDateTimeUtc();
    }
    const Record read = parseRecord(formatRecord(record));
    QList<std::pair<int, int>> expected;
    for (const auto &[index, asked, right, lastMissed, weak] : rows) {
        EXPECT_EQ(read[index].lastMissed, lastMissed)
            << "the last first click of row " << index << " not kept";
        if (weak)
            expected.append({record[index].figureNo, record[index].wordIndex});
    }
    EXPECT_EQ(weakWords(read), expected) << "not the weak words, figure 1's first";
}

// Adding a child through the parents' bar: a name that cannot be kept stays
// in the box with the reason; removing asks first, and 取消 is the default.
TEST_F(ChildrenTest, TheBarRefusesANameInPlaceAndAsksBeforeRemoving)
{
    ChildrenBar bar;
    QSignalSpy changed(&bar, &ChildrenBar::playerChanged);
    bar.findChild<QPushButton *>("addChildButton")->click();
    auto *dialog = bar.findChild<QDialog *>();
    ASSERT_TRUE(dialog && dialog->isVisible()) << "no name dialog";
    auto *edit = dialog->findChild<QLineEdit *>("nameEdit");
    edit->setText(QString(41, QLatin1Char('a')));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "a name too long closed the dialog";
    EXPECT_FALSE(dialog->findChild<QLabel *>("problemLabel")->text().isEmpty()) << "no reason given";
    EXPECT_EQ(edit->text().size(), 41) << "the name typed was lost";
    edit->setText(QStringLiteral("小明"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible()) << "a good name did not close the dialog";
    EXPECT_EQ(changed.size(), 1) << "the new child does not play now";
    EXPECT_EQ(readChildren().currentChild().name, QStringLiteral("小明")) << "the new child not kept";

    bar.findChild<QPushButton *>("removeChildButton")->click();
    auto *question = bar.findChild<QMessageBox *>();
    ASSERT_TRUE(question && question->isVisible()) << "removed without asking";
    QTest::keyClick(question, Qt::Key_Return);
    EXPECT_EQ(readChildren().list.size(), 2) << "Enter on the question removed the child";
}
