// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_format.h"

#include "board_codec.h"

namespace leaderboard {
namespace {

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
// from stray bytes can grow on writing, each one becoming U+FFFD's four bytes.
QString fittedName(const QString &name, const QString &scoreText)
{
    const qsizetype room = MaxLineBytes - 1 - scoreText.size();
    // No UTF-16 unit takes more than four bytes, so a name of any real
    // length is not encoded here.
    if (name.size() * 4 <= room)
        return name;
    auto bytes = [](QStringView text) { return encodeBoardText(text).value_or(QByteArray()).size(); };
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

} // namespace

void BoardReader::read(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size() && !done(); ++i) {
        const char c = bytes[i];
        if (afterCr_) {
            afterCr_ = false;
            if (c == '\n')
                continue;
        }
        if (c == '\r' || c == '\n') {
            readLine();
            skipping_ = false;
            lineOpen_ = false;
            afterCr_ = c == '\r';
            continue;
        }
        lineOpen_ = true;
        if (skipping_)
            continue;
        line_.append(c);
        skipping_ = line_.size() >= MaxLineBytes;
    }
}

Board BoardReader::finish()
{
    if (lineOpen_ && !done())
        readLine();
    lineOpen_ = false;
    return board_;
}

// A fresh decoder for each line, so that a character cut off at the line
// limit ends it as U+FFFD: nothing of it leaks into the next line.
void BoardReader::readLine()
{
    BoardEntry &entry = board_[place_++];
    const QString text = decodeBoardText(line_);
    line_.clear();
    const qsizetype comma = text.indexOf(u',');
    if (comma >= 0)
        entry.name = text.left(comma);
    const QStringView scoreText = comma >= 0 ? QStringView(text).mid(comma + 1) : QStringView(text);
    if (const std::optional<qint16> score = parseScore(scoreText))
        entry.score = *score;
}

Board boardFromBytes(QByteArrayView bytes, const Board &start)
{
    BoardReader reader(start);
    reader.read(bytes);
    return reader.finish();
}

std::optional<QByteArray> boardBytes(const Board &board)
{
    QString text;
    for (const BoardEntry &entry : board)
        text += boardLine(entry.name, entry.score);
    return encodeBoardText(text);
}

std::optional<QByteArray> boardBytes(const Board &board, int place, const QString &typedName, qint32 score)
{
    Q_ASSERT(place >= 0 && place < BoardPlaces);
    // Made in one piece: a board of long names is large, and every copy
    // would delay the save.
    QString text;
    qsizetype length = typedName.size();
    for (const BoardEntry &kept : board)
        length += kept.name.size();
    text.reserve(length + BoardPlaces * 16);
    for (int kept = 0; kept < place; ++kept)
        text += boardLine(board[kept].name, board[kept].score);
    text += boardLine(storedName(typedName), score);
    for (int kept = place; kept < BoardPlaces - 1; ++kept)
        text += boardLine(board[kept].name, board[kept].score);
    return encodeBoardText(text);
}

} // namespace leaderboard
