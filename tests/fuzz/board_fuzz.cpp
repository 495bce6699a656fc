// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as the leaderboard's bytes: read them, rank and write a new entry
// into the board, read it back in pieces. The input is the board's bytes,
// optionally followed by "|NEW|", the new score (32 bits, little-endian), a
// slot byte (the place when the score does not rank, and the size of the
// pieces) and the typed name in UTF-16LE, lone surrogates and controls and all.

#include "board_format.h"

#include <QList>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace leaderboard;

// Aborts, so that libFuzzer keeps the input, naming the property broken.
#define CHECK(ok, what) ((ok) ? void() : (fprintf(stderr, "board_fuzz: %s\n", what), abort()))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype marker = input.indexOf("|NEW|");
    QByteArray entry = marker < 0 ? QByteArray() : input.mid(marker + 5);
    entry.resize(qMax(entry.size(), qsizetype(5)), '\0');
    const qint32 score = qFromLittleEndian<qint32>(entry.constData());
    QString typed((entry.size() - 5) / 2, Qt::Uninitialized);
    memcpy(typed.data(), entry.constData() + 5, size_t(typed.size()) * 2);
    const QByteArray old = marker < 0 ? input : input.left(marker);

    const Board board = boardFromBytes(old, Board{});
    const std::optional<int> ranked = placeFor(board, score);
    const int place = ranked ? *ranked : quint8(entry[4]) % BoardPlaces;
    const QByteArray bytes = boardBytes(board, place, typed, score).value_or(QByteArray());
    CHECK(bytes.count("\r\n") == BoardPlaces && bytes.count('\r') == BoardPlaces &&
              bytes.count('\n') == BoardPlaces && bytes.endsWith("\r\n"),
          "the board was not written back as ten CR LF lines");

    // Half a surrogate pair is stored as U+FFFD, a comma as a full-width one, a control as a space.
    // (QString::fromUcs4 would drop a leading U+FEFF as a byte order mark.)
    QString stored;
    for (const uint c : typed.toUcs4())
        stored += QStringView(QChar::fromUcs4(c));
    for (QChar &c : stored)
        c = c == u',' ? QChar(0xFF0C) : c.category() == QChar::Other_Control ? QChar(u' ') : c;
    // Read back as a file is, in pieces: a CR parted from its LF must still end one line.
    const qsizetype piece = quint8(entry[4]) / BoardPlaces % 8 + 1;
    BoardReader reader{Board{}};
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        reader.read(bytes.mid(at, piece));
    const Board back = reader.finish();
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        const int from = slot < place ? slot : slot - 1;
        CHECK(back[slot].name == (slot == place ? stored : board[from].name),
              "a name did not read back as written");
        // A new score past 16 bits is not read back.
        const qint16 want = slot != place ? board[from].score : qint16(score == qint16(score) ? score : 0);
        CHECK(back[slot].score == want, "a score did not read back as written");
    }
    return 0;
}
