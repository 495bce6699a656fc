// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program is also the writer it kills, started as
//   board_crash_test --writer BOARD_FILE N [--as-nobody]
// which rewrites the board the file holds (board N - 1), says "r", then writes
// boards N, N + 1, ... saying "s" before each write and "f" after it, until
// killed; with --as-nobody it writes as user 65534. A failed write exits 2.
#include "board_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <random>
#include <thread>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Board 0 or 1: their lines and lengths differ, so that a file cut or mixed
// from both passes for neither; long names make each a few hundred KiB.
bool writeBoard(const QString &path, std::uint64_t which)
{
    // Made once, so that the time between kills goes to writing.
    static const QString names[] = {QStringLiteral("小明Ann").repeated(5000),
                                    QStringLiteral("丽丽Bob9").repeated(3000)};
    leaderboard::Board board;
    board.fill({names[which % 2], 0});
    return leaderboard::writeBoard(path, board, which % 2 ? 7 : 3, names[which % 2], 5);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

leaderboard::Board boardOf(const QString &path)
{
    leaderboard::Board board;
    leaderboard::readBoard(path, board);
    return board;
}

struct Writer : QProcess
{
    explicit Writer(const QStringList &args) { start("/proc/self/exe", QStringList{"--writer"} + args); }
    bool ready() { return waitForReadyRead(20000) && read(1) == "r"; }
    // Not a failed write nor a sanitizer's abort.
    bool killedBySigkill() { return waitForFinished() && exitStatus() == CrashExit && exitCode() == SIGKILL; }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4 || QByteArray(argv[1]) != "--writer") {
        ::testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }
    const QString board = QFile::decodeName(argv[2]);
    std::uint64_t n = QByteArray(argv[3]).toULongLong();
    if (argc > 4 && QByteArray(argv[4]) == "--as-nobody" &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        return 2;
    if (!writeBoard(board, n - 1) || write(STDOUT_FILENO, "r", 1) != 1)
        return 2;
    for (;; ++n) {
        if (write(STDOUT_FILENO, "s", 1) != 1 || !writeBoard(board, n) || write(STDOUT_FILENO, "f", 1) != 1)
            return 2;
    }
}

namespace {

// Kills a writer at random moments, 200 times or more; after each kill,
// holds(which) says whether the board and what lies beside it read whole as
// board 0 or 1. Prints its seed: TOVASEL_CRASH_SEED repeats a run,
// TOVASEL_CRASH_KILLS lengthens it.
void killWriters(const QString &boardPath, const QStringList &options, const std::function<bool(int)> &holds)
{
    // A write's time as this build and machine take it: a sanitizer build writes far slower.
    const auto started = std::chrono::steady_clock::now();
    for (int which : {1, 0})
        ASSERT_TRUE(writeBoard(boardPath, which)) << "the first board was not written";
    const auto writeTime = std::chrono::duration_cast<std::chrono::microseconds>(
        (std::chrono::steady_clock::now() - started) / 2);
    const std::uint64_t seed =
        qEnvironmentVariable("TOVASEL_CRASH_SEED", QString::number(std::random_device()())).toULongLong();
    const std::uint64_t kills = qMax(200, qEnvironmentVariableIntValue("TOVASEL_CRASH_KILLS"));
    std::cout << "seed " << seed << std::endl;
    std::mt19937_64 random(seed);
    const QString folder = QFileInfo(boardPath).absolutePath();
    std::uint64_t k = 0, onBoard = 0, inFile = 0;
    // A busy machine lands fewer kills in the file: it gets more kills, not a weaker test.
    for (; k < kills || (inFile < kills / 40 && k < 5 * kills); ++k) {
        Writer writer(QStringList{boardPath, QString::number(onBoard + 1)} + options);
        ASSERT_TRUE(writer.ready()) << "writer " << k << " did not start";
        // Up to a few writes' time, so that kills fall at every step of one.
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (3 * writeTime.count() + 1)));
        bool open = false; // the board or a copy of it, named or not
        for (const QFileInfo &fd : QDir(QString("/proc/%1/fd").arg(writer.processId()))
                                       .entryInfoList(QDir::AllEntries | QDir::System))
            open = open || fd.symLinkTarget().startsWith(folder + '/');
        inFile += open;
        writer.kill();
        ASSERT_TRUE(writer.killedBySigkill()) << "writer " << k << " was not killed";
        // "s" and "f" for each write started and finished: a finished write
        // stays, a started one may.
        const QByteArray said = writer.readAll();
        const std::uint64_t s = onBoard + said.count('s'), f = onBoard + said.count('f');
        onBoard = s != f && holds(s % 2) ? s : f;
        ASSERT_TRUE(holds(onBoard % 2)) << "neither board whole after kill " << k << ", seed " << seed;
    }
    std::cout << k << " kills, " << inFile << " in the file, " << onBoard << " boards written" << std::endl;
    EXPECT_GE(inFile, kills / 40) << "too few kills fell inside a write";
}

// Replaced whole, or, as another user's board in a folder with the sticky
// bit (as /tmp and shared drives have), which cannot be renamed over,
// written in place.
class BoardCrash : public testing::TestWithParam<bool>
{
};

} // namespace

TEST_P(BoardCrash, KilledWriteLeavesAWholeBoard)
{
    const bool inPlace = GetParam();
    if (inPlace && geteuid() != 0)
        GTEST_SKIP() << "writing as another user needs root";
    QTemporaryDir folder;
    ASSERT_EQ(chmod(QFile::encodeName(folder.path()).constData(), inPlace ? 01777 : 0700), 0)
        << "the folder's mode could not be set";
    const QString boardPath = folder.filePath("mirafon1.tmp");
    QByteArrayList bytes(2);
    std::array<leaderboard::Board, 2> boards;
    for (int which : {0, 1}) {
        ASSERT_TRUE(writeBoard(boardPath, which)) << "board " << which << " was not written";
        bytes[which] = fileBytes(boardPath);
        boards[which] = boardOf(boardPath);
    }
    ASSERT_EQ(chmod(QFile::encodeName(boardPath).constData(), 0666), 0) << "the board was not shared";
    const auto holds = [&](int which) {
        if (inPlace) // cut short, it is read from its copy
            return boardOf(boardPath) == boards[which];
        // A write killed between naming its copy and renaming it leaves the copy: whole.
        const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        return fileBytes(boardPath) == bytes[which] && std::ranges::all_of(files, [&](const QString &file) {
                   return bytes.contains(fileBytes(folder.filePath(file)));
               });
    };
    killWriters(boardPath, inPlace ? QStringList{"--as-nobody"} : QStringList(), holds);
    if (inPlace) {
        EXPECT_EQ(QFileInfo(boardPath).ownerId(), 0u) << "the board was replaced, not written in place";
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, BoardCrash, testing::Bool(),
                         [](const auto &info) { return info.param ? "InPlace" : "Replaced"; });
