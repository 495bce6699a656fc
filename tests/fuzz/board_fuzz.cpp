// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as the leaderboard file: read it, rank and write a new entry into
// it, read it back. The input is the file, optionally followed by "|NEW|", the
// new score (32 bits, little-endian), a slot byte and the typed name in
// UTF-16LE, so that lone surrogates and control characters can be typed.

#include "board_file.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace leaderboard;

namespace {

constexpr char Marker[] = "|NEW|";
// What the reader keeps of a line; the writer must stay within it.
constexpr qsizetype MaxLineBytes = 1024 * 1024;

void check(bool ok, const char *what)
{
    if (ok)
        return;
    fprintf(stderr, "board_fuzz: %s\n", what);
    abort();
}

struct Input
{
    QByteArray file;
    qint32 score = 0;
    int slot = 0; // where to write when the score does not rank
    QString name;
};

Input split(const uint8_t *data, size_t size)
{
    Input in;
    const auto *bytes = reinterpret_cast<const char *>(data);
    const void *marker = size > 0 ? memmem(bytes, size, Marker, sizeof Marker - 1) : nullptr;
    if (!marker) {
        in.file = QByteArray(bytes, qsizetype(size));
        return in;
    }
    const size_t fileSize = size_t(static_cast<const char *>(marker) - bytes);
    in.file = QByteArray(bytes, qsizetype(fileSize));
    QByteArray entry(bytes + fileSize + sizeof Marker - 1, qsizetype(size - fileSize - (sizeof Marker - 1)));
    if (entry.size() < 5)
        entry.append(5 - entry.size(), '\0');
    in.score = qFromLittleEndian<qint32>(entry.constData());
    in.slot = quint8(entry[4]) % BoardPlaces;
    for (qsizetype i = 5; i + 1 < entry.size(); i += 2)
        in.name += QChar(qFromLittleEndian<quint16>(entry.constData() + i));
    return in;
}

// The name as the writer must store it, worked out code point by code point:
// a comma becomes a full-width comma, a control character a space, half a
// surrogate pair the replacement character.
QString storedName(const QString &typed)
{
    QString name;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        char32_t cp = typed[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(typed[i], typed[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(cp)) {
            cp = QChar::ReplacementCharacter;
        } else if (cp == U',') {
            cp = U'\uFF0C';
        } else if (QChar::category(cp) == QChar::Other_Control) {
            cp = U' ';
        }
        name.append(QChar::fromUcs4(cp));
    }
    return name;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    check(file.open(QIODevice::ReadOnly), "the board cannot be opened");
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    check(dir.isValid(), "no scratch folder");
    const QString path = dir.filePath(QStringLiteral("mirafon1.tmp"));
    const Input in = split(data, size);
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(in.file) == in.file.size(),
              "the input cannot be written");
    }

    BoardTable table;
    check(readBoard(path, table), "an existing board was not read");
    const qint16 ranked = findInsertPos(table, in.score);
    check(ranked >= -1 && ranked < BoardPlaces, "rank out of range");
    const qint16 pos = ranked >= 0 ? ranked : qint16(in.slot);
    const bool written = writeBoard(path, table, pos, in.name, in.score);
    const QByteArray bytes = contents(path);
    if (!written) {
        // In a scratch folder with room to spare only a name can refuse.
        check(bytes == in.file, "a failed write changed the file");
        check(false, "a board that was read cannot be written back");
    }

    // Ten lines, each ended by CR LF, and no CR or LF anywhere else.
    check(bytes.count("\r\n") == BoardPlaces && bytes.count('\r') == BoardPlaces &&
              bytes.count('\n') == BoardPlaces && bytes.endsWith("\r\n"),
          "the written file is not ten CR LF lines");

    // The old entries around the new one, a score past 16 bits not read back.
    BoardTable expected;
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        const int from = slot < pos ? slot : slot - 1;
        if (slot == pos) {
            expected.boardNames[slot] = storedName(in.name);
            if (in.score >= -32768 && in.score <= 32767)
                expected.boardScores[slot] = qint16(in.score);
        } else {
            expected.boardNames[slot] = table.boardNames[from];
            expected.boardScores[slot] = table.boardScores[from];
        }
    }
    BoardTable back;
    check(readBoard(path, back), "the written board was not read");
    qsizetype lineStart = 0;
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        const qsizetype lineBytes = bytes.indexOf("\r\n", lineStart) - lineStart;
        lineStart += lineBytes + 2;
        check(lineBytes <= MaxLineBytes, "a line is longer than the reader keeps");
        // A name is cut only where the whole would not have fitted: the
        // longest character and score leave the line near the limit.
        const QString &name = back.boardNames[slot];
        check(name == expected.boardNames[slot] ||
                  (expected.boardNames[slot].startsWith(name) && lineBytes > MaxLineBytes - 16),
              "a name did not read back as written");
        check(back.boardScores[slot] == expected.boardScores[slot], "a score did not read back as written");
    }
    return 0;
}
