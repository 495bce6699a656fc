// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"
#include "children.h"
#include "progress_window.h"
#include "report.h"
#include "tinted_figure.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace progress;

namespace {

const QDate Day(2026, 12, 7);
const QString Title = QStringLiteral("小明的学习进度（2026年12月7日）");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What poppler's tools read in a PDF: its text, and its metadata's title;
// empty without them.
QString pdfText(const QString &pdf, bool title = false)
{
    QProcess process;
    if (title)
        process.start(QStringLiteral("pdfinfo"), {pdf});
    else
        process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished();
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    return title ? text.section(u'\n', 0, 0).section(QStringLiteral("Title:"), 1).trimmed() : text;
}

enum class Trouble { None, Unwritable, FullDisk };

// Saves chin's report, right at the first click once of four times (weak,
// red), with the trouble in the way; root too meets the unwritable folder,
// as another user.
bool saveDespite(Trouble trouble, const QString &path, QString *reason)
{
    Record record = freshRecord();
    record[1].asked = 4;
    record[1].right = 1;
    const QString folder = QFileInfo(path).absolutePath();
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit before = limit;
    limit.rlim_cur = trouble == Trouble::FullDisk ? 64 * 1024 : limit.rlim_cur;
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
    if (trouble == Trouble::Unwritable && geteuid() == 0)
        setfsuid(65534);
    else if (trouble == Trouble::Unwritable)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const bool saved = saveReport(path, QStringLiteral("小明"), Day, record, reason);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, signalBefore);
    setfsuid(geteuid());
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return saved;
}

} // namespace

// The suffix chooses the format, case aside.
TEST(Report, SavedFilesAreWholeAndNameTheChildAndDay)
{
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("报告.PNG")),
                  pdf = folder.filePath(QStringLiteral("报告.Pdf"));
    QString reason;
    ASSERT_TRUE(saveDespite(Trouble::None, png, &reason)) << "no PNG saved: " << reason.toStdString();
    ASSERT_TRUE(saveDespite(Trouble::None, pdf, &reason)) << "no PDF saved: " << reason.toStdString();

    const QImage image(png, "png");
    EXPECT_EQ(image.size(), ReportPageSize * ReportImageRatio)
        << "the picture is not whole at twice the page: " << image.width() << " x " << image.height();
    const QColor chin = image.pixelColor((reportFigurePlace(1).topLeft() + content::hotSpot(1, 1).center()) *
                                         ReportImageRatio);
    EXPECT_GT(chin.red() - std::max(chin.green(), chin.blue()), 110) << "the weak chin is not red";

    const QByteArray bytes = contents(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF-")) << "the PDF does not start as one";
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF")) << "the PDF is cut short";
    const QString text = pdfText(pdf);
    if (text.isEmpty())
        GTEST_SKIP() << "without pdftotext and pdfinfo (poppler-utils) the PDF is not read";
    EXPECT_EQ(pdfText(pdf, true).toStdString(), Title.toStdString()) << "the PDF's metadata title";
    EXPECT_TRUE(text.startsWith(Title + u'\n'))
        << "the page's title is not text: " << text.left(80).toStdString();
    EXPECT_LT(text.indexOf(QStringLiteral("chin")), text.indexOf(QStringLiteral("brow")))
        << "the words are not text, or the weak chin is not first";
    EXPECT_TRUE(text.contains(knowledgeMeaning(Knowledge::Weak))) << "the legend is not text";
}

// Whatever fails, nothing is left in the folder but the file there before,
// as it was.
TEST(Report, FailedSaveLeavesNothingBehind)
{
    const std::tuple<const char *, Trouble, const char *> rows[] = {
        {"an unknown suffix", Trouble::None, "报告.txt"},
        {"a folder that cannot be written", Trouble::Unwritable, "报告.png"},
        {"a PNG on a disk that fills up", Trouble::FullDisk, "报告.png"},
        {"a PDF on a disk that fills up", Trouble::FullDisk, "报告.pdf"},
    };
    for (const auto &[trouble, kind, name] : rows) {
        SCOPED_TRACE(trouble);
        QTemporaryDir folder;
        QFile older(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly) && older.write("older") == 5)
            << "cannot set up the folder";
        older.close();
        QString reason;
        EXPECT_FALSE(saveDespite(kind, older.fileName(), &reason)) << "claims to have saved";
        EXPECT_FALSE(reason.isEmpty()) << "says no reason";
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
            << "a file was left behind";
        EXPECT_EQ(contents(older.fileName()), "older") << "the file there before was changed";
    }
}

TEST(Report, SuggestedFileNameTakesAnyChildsName)
{
    const std::pair<const char *, const char *> rows[] = {
        {"小明", "小明"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"}, // refused by one system or another
        {"..", "__"},                                     // a hidden file, a trailing dot
        {"小\t明\u200f", "小_明_"},                       // a control, an invisible mark
        {"\U00020000明", "\U00020000明"},                 // outside the basic plane: kept whole
    };
    for (const auto &[name, expected] : rows)
        EXPECT_EQ(reportFileName(QString::fromUtf8(name), Day).toStdString(),
                  std::string(expected) + "-学习进度-2026-12-07")
            << "for the name " << name;
}

// The file dialog leaves the game's loop running: the click returns with it open.
TEST(Report, ButtonAsksWhereAndSaves)
{
    ASSERT_EQ(int(chooseChild(QStringLiteral("小明"))), int(NameProblem::None)) << "cannot set up the child";
    QTemporaryDir folder;
    QWidget opener;
    opener.show();
    ProgressWindow window(&opener);
    window.open();
    auto *button = window.findChild<QPushButton *>(QStringLiteral("saveButton"));
    ASSERT_TRUE(button) << "the window has no button to save a report";
    QTimer nestedLoop; // ends a dialog that would hold the click, so that the test fails, not hangs
    nestedLoop.callOnTimeout([&window] { window.findChild<QDialog *>()->reject(); });
    nestedLoop.start(5000);
    QTest::mouseClick(button, Qt::LeftButton);
    nestedLoop.stop();
    auto *dialog = window.findChild<QFileDialog *>();
    ASSERT_TRUE(dialog && dialog->isVisible()) << "the button opened no file dialog";
    EXPECT_EQ(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
              "小明-学习进度-" + QDate::currentDate().toString(Qt::ISODate) + ".png")
        << "the suggested name";

    // PDF chosen from the list, a name typed without its suffix.
    auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    ASSERT_TRUE(types) << "the file dialog has no list of types";
    QTest::keyClick(types, Qt::Key_Down);
    dialog->selectFile(folder.filePath(QStringLiteral("报告")));
    static_cast<QDialog *>(dialog)->accept(); // Qt hides its own
    const QString pdf = folder.filePath(QStringLiteral("报告.pdf"));
    EXPECT_TRUE(contents(pdf).startsWith("%PDF-")) << "no PDF under the name typed";

    QTest::mouseClick(button, Qt::LeftButton);
    dialog->selectFile(folder.filePath(QStringLiteral("报告.txt")));
    static_cast<QDialog *>(dialog)->accept();
    const auto *refusal = window.findChild<QMessageBox *>(QStringLiteral("reportNotSaved"));
    EXPECT_TRUE(refusal && refusal->isVisible()) << "a failed save told the parents nothing";
}
