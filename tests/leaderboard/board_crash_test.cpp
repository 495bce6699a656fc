// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using crash::board;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// TOVASEL_CRASH_SEED and TOVASEL_CRASH_KILLS repeat a run or make a longer one.
std::uint64_t setting(const char *name, std::uint64_t otherwise)
{
    const char *value = std::getenv(name);
    return value && *value ? std::strtoull(value, nullptr, 10) : otherwise;
}

// Whether the process has a file open in folder: QSaveFile's temporary
// file, unnamed (O_TMPFILE) or not, from its open to its commit.
bool hasFileOpenIn(pid_t pid, const std::string &folder)
{
    std::error_code error;
    for (const auto &fd :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (std::filesystem::read_symlink(fd.path(), error).native().starts_with(folder + '/'))
            return true;
    }
    return false;
}

// A board_writer child whose stdout comes back through a pipe.
struct Writer
{
    pid_t pid = -1;
    int out = -1;

    bool start(const QString &boardPath, const QString &progressPath, const char *mode = nullptr)
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        const QByteArray board = QFile::encodeName(boardPath), progress = QFile::encodeName(progressPath);
        char *argv[] = {const_cast<char *>(BOARD_WRITER), const_cast<char *>(board.constData()),
                        const_cast<char *>(progress.constData()), const_cast<char *>(mode), nullptr};
        const int spawned = posix_spawn(&pid, BOARD_WRITER, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        out = fds[0];
        return spawned == 0;
    }
    // Whether the writer said it is ready within the time given.
    bool ready(std::chrono::milliseconds timeout)
    {
        pollfd readable{out, POLLIN, 0};
        char line[8] = {};
        return poll(&readable, 1, int(timeout.count())) == 1 && read(out, line, 6) == 6 &&
               QByteArray(line) == "ready\n";
    }
    // Whether SIGKILL is what ended the writer, not a failed write nor a
    // sanitizer's abort.
    bool killedBySigkill()
    {
        int status = 0;
        waitpid(pid, &status, 0);
        close(out);
        pid = -1;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
    bool kill()
    {
        ::kill(pid, SIGKILL);
        return killedBySigkill();
    }
    ~Writer()
    {
        if (pid > 0)
            kill();
    }
};

class BoardCrash : public ::testing::Test
{
protected:
    QTemporaryDir boardFolder, work;
    const QString boardPath = boardFolder.filePath("mirafon1.tmp");
    const QString progressPath = work.filePath("progress");
    QFile progressFile{progressPath}; // open while mapped: closing it unmaps
    QByteArray expected[2];
    crash::Progress *progress = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(boardFolder.isValid() && work.isValid());
        for (int which : {0, 1}) {
            const QString path = work.filePath(QStringLiteral("board%1").arg(which));
            ASSERT_TRUE(crash::writeBoard(path, board(which)));
            expected[which] = fileBytes(path);
        }
        ASSERT_GT(expected[1].size(), 200 * 1024) << "boards this small are written before a kill can land";
        ASSERT_NE(expected[0].size(), expected[1].size());
        ASSERT_TRUE(crash::writeBoard(boardPath, board(0)));

        ASSERT_TRUE(progressFile.open(QIODevice::ReadWrite) && progressFile.resize(sizeof(crash::Progress)));
        progress = reinterpret_cast<crash::Progress *>(progressFile.map(0, sizeof(crash::Progress)));
        ASSERT_NE(progress, nullptr);
    }

    // What stands beside the board in its folder.
    QStringList others() const
    {
        QStringList names =
            QDir(boardFolder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeOne("mirafon1.tmp");
        return names;
    }
    // The next game's write, as the leaderboard window does it.
    void writeAsTheNextGame()
    {
        leaderboard::BoardTable table;
        ASSERT_TRUE(leaderboard::readBoard(boardPath, table));
        ASSERT_TRUE(leaderboard::writeBoard(boardPath, table, 0, QStringLiteral("小明"), 5));
    }
};

} // namespace

// A writer killed at any moment leaves the board it replaced or the one it
// wrote, whole; at most a whole copy of a board beside it.
TEST_F(BoardCrash, AKilledWriteLeavesTheOldBoardOrTheNewOneWhole)
{
    const std::uint64_t seed = setting("TOVASEL_CRASH_SEED", std::random_device()());
    const std::uint64_t kills = setting("TOVASEL_CRASH_KILLS", 200);
    std::cout << "seed " << seed << " (TOVASEL_CRASH_SEED repeats the delays)" << std::endl;
    std::mt19937_64 random(seed);
    std::atomic_ref<std::uint64_t> started(progress->started), finished(progress->finished);

    // Up to a few writes' time after the writer is ready, in microseconds, so
    // that the kills fall at every point of a write: building the text,
    // encoding, writing, syncing, linking, renaming.
    std::uniform_int_distribution<int> delayUs(0, 12000);
    std::uint64_t onBoard = 0; // the number of the write whose board the file holds
    int midWrite = 0, inFileWrite = 0, newBoardBeforeReturn = 0;
    QStringList strays;
    // A busy machine lands fewer kills in the file itself; it gets more kills
    // rather than a weaker test.
    std::uint64_t k = 0;
    for (; k < kills || (inFileWrite < int(kills / 40) && k < 5 * kills); ++k) {
        started.store(onBoard);
        finished.store(onBoard);
        Writer writer;
        ASSERT_TRUE(writer.start(boardPath, progressPath)) << "cannot start " << BOARD_WRITER;
        ASSERT_TRUE(writer.ready(std::chrono::seconds(20))) << "the writer did not start";
        const int delay = delayUs(random);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        // A look just before the kill, so only about right: the writer runs on
        // for the few microseconds the look takes.
        inFileWrite += hasFileOpenIn(writer.pid, boardFolder.path().toStdString());
        ASSERT_TRUE(writer.kill()) << "the writer ended before it was killed (a failed write?)";

        const std::uint64_t s = started.load(), f = finished.load();
        const QByteArray bytes = fileBytes(boardPath);
        const bool old = bytes == expected[f % 2];
        const bool written = s != f && bytes == expected[s % 2];
        ASSERT_TRUE(old || written) << "kill " << k << " after " << delay << " us (seed " << seed
                                    << "): the file holds " << bytes.size() << " bytes, neither board "
                                    << f % 2 << " (" << expected[f % 2].size() << " bytes) nor board "
                                    << s % 2 << " (" << expected[s % 2].size() << ")";
        midWrite += s != f;
        newBoardBeforeReturn += written;
        onBoard = written ? s : f;

        // A write killed between naming its temporary file and renaming it
        // over the board leaves that file; it must at least be whole.
        for (const QString &name : others()) {
            if (strays.contains(name))
                continue;
            strays << name;
            const QByteArray stray = fileBytes(boardFolder.filePath(name));
            ASSERT_TRUE(stray == expected[0] || stray == expected[1])
                << "kill " << k << " after " << delay << " us (seed " << seed << ") left "
                << name.toStdString() << ", " << stray.size() << " bytes and not a whole board";
        }
    }
    std::cout << k << " kills: " << midWrite << " inside writeBoard, " << inFileWrite
              << " of them with the temporary file open, " << newBoardBeforeReturn
              << " after the new board was in place; " << strays.size()
              << " left a whole copy beside the board; " << onBoard << " boards written" << std::endl;
    EXPECT_GE(inFileWrite, int(kills / 40))
        << "too few kills reached the file itself: are the boards too small?";
}

// The copy a write leaves when it dies at its very last step, just before
// the rename, must not outlive the next game's write.
TEST_F(BoardCrash, TheCopyLeftByAWriteKilledAtItsRenameGoesAtTheNextWrite)
{
    Writer writer;
    ASSERT_TRUE(writer.start(boardPath, progressPath, "--die-at-rename"));
    ASSERT_TRUE(writer.ready(std::chrono::seconds(20))) << "the writer did not start";
    ASSERT_TRUE(writer.killedBySigkill())
        << "the write reached no rename, so this test no longer cuts it last";
    EXPECT_EQ(fileBytes(boardPath), expected[0]) << "the old board is kept";
    const QStringList left = others();
    ASSERT_EQ(left.size(), 1) << "the write died with its copy named, ready to be renamed";
    EXPECT_EQ(fileBytes(boardFolder.filePath(left.front())), expected[1]);

    // A copy the user keeps beside the board is not the save's to remove.
    QFile keep(boardPath + ".bak");
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly) && keep.write(expected[0]) == expected[0].size());
    keep.close();
    writeAsTheNextGame();
    EXPECT_EQ(others(), QStringList{QFileInfo(keep).fileName()}) << "left over from the killed write";
}
