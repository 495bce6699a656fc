// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the two boards of board_writer.h over one board file, alternately,
// until it is killed; board_crash_test kills it at random moments.
//
//   board_writer BOARD_FILE PROGRESS_FILE [--die-at-rename]
//
// Prints "ready" once it is warm (libraries loaded, the encoder used once),
// so that the kills land during writes rather than during start-up. Exits 2
// when a write fails: the test must hear of that, not mistake it for a kill.
//
// With --die-at-rename it writes board 1 once and kills itself when that
// write renames its finished temporary file over the board: the last moment
// at which a write can be cut. It exits 3 if no rename came.
#include "board_writer.h"

#include <QByteArray>
#include <QFile>

#include <atomic>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
bool dieAtRename = false;
} // namespace

// Takes the place of the C library's rename for Qt too, which replaces an
// existing file with it.
extern "C" int rename(const char *from, const char *to)
{
    if (dieAtRename)
        kill(getpid(), SIGKILL);
    return renameat(AT_FDCWD, from, AT_FDCWD, to);
}

int main(int argc, char **argv)
{
    if (argc < 3 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "--die-at-rename") != 0)) {
        std::fprintf(stderr, "usage: board_writer BOARD_FILE PROGRESS_FILE [--die-at-rename]\n");
        return 1;
    }
    const QString boardPath = QFile::decodeName(argv[1]);
    const int fd = open(argv[2], O_RDWR);
    if (fd < 0)
        return 1;
    void *mapped = mmap(nullptr, sizeof(crash::Progress), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (mapped == MAP_FAILED)
        return 1;
    auto *progress = static_cast<crash::Progress *>(mapped);
    std::atomic_ref<std::uint64_t> started(progress->started);
    std::atomic_ref<std::uint64_t> finished(progress->finished);

    // Made once, so that the time between kills goes to writing them.
    const crash::BoardWrite boards[2] = {crash::board(0), crash::board(1)};
    // Beside the progress file, away from the board's folder, which must hold
    // nothing but the board.
    if (!crash::writeBoard(QFile::decodeName(argv[2]) + QStringLiteral(".warm"), boards[0]))
        return 2;
    if (write(STDOUT_FILENO, "ready\n", 6) != 6)
        return 1;

    if (argc == 4) {
        dieAtRename = true;
        return crash::writeBoard(boardPath, boards[1]) ? 3 : 2;
    }
    for (std::uint64_t n = finished.load() + 1;; ++n) {
        started.store(n);
        if (!crash::writeBoard(boardPath, boards[n % 2]))
            return 2;
        finished.store(n);
    }
}
