// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as the leaderboard file: read it, rank and write a new entry into
// it, read it back. The input is the file, optionally followed by "|NEW|", the
// new score (32 bits, little-endian), a slot byte (used when the score does not
// rank) and the typed name in UTF-16LE, lone surrogates and controls and all.

#include "board_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace leaderboard;

// Aborts, so that libFuzzer keeps the input, naming the property broken.
#define CHECK(ok, what) ((ok) ? void() : (fprintf(stderr, "board_fuzz: %s\n", what), abort()))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mirafon1.tmp"));
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype marker = input.indexOf("|NEW|");
    QByteArray entry = marker < 0 ? QByteArray() : input.mid(marker + 5);
    entry.resize(qMax(entry.size(), qsizetype(5)), '\0');
    const qint32 score = qFromLittleEndian<qint32>(entry.constData());
    QString typed((entry.size() - 5) / 2, Qt::Uninitialized);
    memcpy(typed.data(), entry.constData() + 5, size_t(typed.size()) * 2);
    QFile file(path);
    const QByteArray old = marker < 0 ? input : input.left(marker);
    CHECK(file.open(QIODevice::WriteOnly) && file.write(old) == old.size(), "no scratch file");
    file.close();

    BoardTable table, back;
    CHECK(readBoard(path, table), "an existing board was not read");
    const qint16 ranked = findInsertPos(table, score);
    const qint16 pos = ranked >= 0 ? ranked : qint16(quint8(entry[4]) % BoardPlaces);
    // In a scratch folder with room to spare, nothing may refuse.
    CHECK(writeBoard(path, table, pos, typed, score), "a board that was read was not written back");
    CHECK(file.open(QIODevice::ReadOnly), "the board cannot be opened");
    const QByteArray bytes = file.readAll();
    CHECK(bytes.count("\r\n") == BoardPlaces && bytes.count('\r') == BoardPlaces &&
              bytes.count('\n') == BoardPlaces && bytes.endsWith("\r\n"),
          "the written file is not ten CR LF lines");

    // Half a surrogate pair is stored as U+FFFD, a comma as a full-width one, a control as a space.
    // (QString::fromUcs4 would drop a leading U+FEFF as a byte order mark.)
    QString stored;
    for (const uint c : typed.toUcs4())
        stored += QStringView(QChar::fromUcs4(c));
    for (QChar &c : stored)
        c = c == u',' ? QChar(0xFF0C) : c.category() == QChar::Other_Control ? QChar(u' ') : c;
    CHECK(readBoard(path, back), "the written board was not read");
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        const int from = slot < pos ? slot : slot - 1;
        CHECK(back.boardNames[slot] == (slot == pos ? stored : table.boardNames[from]),
              "a name did not read back as written");
        // A new score past 16 bits is not read back.
        const qint16 want =
            slot != pos ? table.boardScores[from] : qint16(score == qint16(score) ? score : 0);
        CHECK(back.boardScores[slot] == want, "a score did not read back as written");
    }
    return 0;
}
