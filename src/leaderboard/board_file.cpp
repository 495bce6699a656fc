// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace leaderboard {
namespace {

constexpr char Encoding[] = "GB18030";
constexpr qsizetype MaxLineBytes = 1024 * 1024;
constexpr qint64 ChunkBytes = 64 * 1024;

// A 16-bit score: blanks around it and one leading sign allowed, nothing else.
std::optional<qint16> parseScore(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint32 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        // Checked per digit so that a long digit string cannot overflow.
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 32767)
        return std::nullopt;
    return qint16(value);
}

void readLine(const QByteArray &line, BoardTable &table, int slot)
{
    // A fresh decoder per line: a multi-byte character cut off at the line
    // limit must not leak into the next line.
    QStringDecoder decoder(Encoding);
    const QString text = decoder.decode(line);
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        table.boardNames[slot] = text.left(comma);
    const QStringView scoreText = comma >= 0 ? QStringView(text).mid(comma + 1) : QStringView(text);
    if (const std::optional<qint16> score = parseScore(scoreText))
        table.boardScores[slot] = *score;
}

// One line of the file. Names may hold anything but must stay on one line
// and must not end at a comma.
QString storedName(const QString &typed)
{
    QString name = typed;
    for (qsizetype i = 0; i < name.size(); ++i) {
        QChar &c = name[i];
        if (c == u',') {
            c = QChar(0xFF0C);
        } else if (c.category() == QChar::Other_Control) {
            c = u' ';
        } else if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            // A half pair has no bytes in any encoding.
            c = QChar::ReplacementCharacter;
        }
    }
    return name;
}

// The reader keeps the first MiB of a line, so a longer name is cut to fit
// there: otherwise its line, score and all, would not read back. A name read
// from bytes that are not GB18030 can grow fourfold, as U+FFFD, on writing.
QString fittedName(const QString &name, const QString &scoreText)
{
    const qsizetype room = MaxLineBytes - 1 - scoreText.size();
    // No UTF-16 unit takes more than four bytes, so a name of any real
    // length is not encoded here.
    if (name.size() * 4 <= room)
        return name;
    auto bytes = [](QStringView text) {
        QStringEncoder encoder(Encoding);
        const QByteArray encoded = encoder.encode(text);
        return encoded.size();
    };
    if (bytes(name) <= room)
        return name;
    // The longest prefix that fits; every unit left takes at least a byte.
    qsizetype fits = 0, over = qMin(name.size(), room + 1);
    while (over - fits > 1) {
        const qsizetype mid = (fits + over) / 2;
        if (bytes(QStringView(name).left(mid)) <= room)
            fits = mid;
        else
            over = mid;
    }
    if (fits > 0 && name[fits - 1].isHighSurrogate())
        --fits;
    return name.left(fits);
}

QString boardLine(const QString &name, qint32 score)
{
    const QString scoreText = QString::number(score);
    return fittedName(name, scoreText) + u',' + scoreText + QStringLiteral("\r\n");
}

// A save names its finished copy "<board>.XXXXXX" before renaming it over
// the board; a program killed between the two leaves that copy behind, and
// nothing else would ever remove it.
void removeLeftoverCopies(const QString &boardPath)
{
    const QFileInfo board(boardPath);
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QFileInfoList entries =
        board.dir().entryInfoList({board.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (!entry.isSymLink() && suffix.match(entry.fileName().mid(board.fileName().size())).hasMatch())
            QFile::remove(entry.filePath());
    }
}

// The save syncs the new board's bytes, but its new name lives in the folder:
// synced too, a power cut just after a confirmed name keeps that name.
void syncFolder(const QString &boardPath)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(boardPath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool saveAtomically(const QString &boardPath, const QString &text)
{
    QStringEncoder encoder(Encoding);
    if (!encoder.isValid())
        return false;
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QSaveFile file(boardPath);
    // Unbuffered, so that a short write (a full disk) shows here: a buffered
    // flush loses the rest quietly and the cut file would be committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncFolder(boardPath);
    removeLeftoverCopies(boardPath);
    return true;
}

} // namespace

QString boardFileName(qint16 grd)
{
    return QStringLiteral("mirafon%1.tmp").arg(grd);
}

bool readBoard(const QString &boardPath, BoardTable &table)
{
    if (!QStringDecoder(Encoding).isValid())
        return false;
    QFile file(boardPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    // Lines end at CR, CR LF or a lone LF (a board saved by a Linux text
    // editor keeps its ten lines). Only the first MiB of a line is kept, so a
    // huge or binary file costs bounded memory, and reading stops at the
    // tenth line.
    int slot = 0;
    QByteArray line;
    bool skipping = false; // past the kept part of an overlong line
    bool afterCr = false;  // an LF right here belongs to the CR before it
    bool lineOpen = false; // bytes seen since the last line end
    while (slot < BoardPlaces) {
        const QByteArray chunk = file.read(ChunkBytes);
        if (chunk.isEmpty())
            break;
        for (qsizetype i = 0; i < chunk.size() && slot < BoardPlaces; ++i) {
            const char c = chunk[i];
            if (afterCr) {
                afterCr = false;
                if (c == '\n')
                    continue;
            }
            if (c == '\r' || c == '\n') {
                readLine(line, table, slot++);
                line.clear();
                skipping = false;
                lineOpen = false;
                afterCr = c == '\r';
                continue;
            }
            lineOpen = true;
            if (skipping)
                continue;
            line.append(c);
            skipping = line.size() >= MaxLineBytes;
        }
    }
    if (lineOpen && slot < BoardPlaces)
        readLine(line, table, slot);
    return true;
}

bool createDefaultBoard(const QString &boardPath, BoardTable &table)
{
    QString text;
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        table.boardNames[slot] = QStringLiteral("0");
        table.boardScores[slot] = 0;
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
    }
    // Whatever stands there could not be read; it may still be someone's board.
    const QFileInfo existing(boardPath);
    if (existing.exists() || existing.isSymLink())
        return false;
    return saveAtomically(boardPath, text);
}

qint16 findInsertPos(const BoardTable &table, qint32 newScore)
{
    for (int slot = 0; slot < BoardPlaces; ++slot) {
        if (table.boardScores[slot] < newScore)
            return qint16(slot);
    }
    return -1;
}

bool writeBoard(const QString &boardPath, const BoardTable &table, qint16 insertPos, const QString &name,
                qint32 newScore)
{
    if (insertPos < 0 || insertPos >= BoardPlaces)
        return false;
    QString text;
    for (int slot = 0; slot < insertPos; ++slot)
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
    text += boardLine(storedName(name), newScore);
    for (int slot = insertPos; slot < BoardPlaces - 1; ++slot)
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
    return saveAtomically(boardPath, text);
}

} // namespace leaderboard
