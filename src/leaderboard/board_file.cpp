// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"

#include "board_log.h"
#include "board_store.h"

#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QLockFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <optional>

namespace leaderboard {
namespace {

// Names are stored as Chinese Windows stores them, in code page 936, and a
// character that code page lacks takes GB18030's four bytes. The two agree
// on all but a few codes: 80 ("€") and FF stand alone in code page 936 only,
// and some two-byte codes mean private-use characters there but other
// characters in GB18030. The board's bytes are turned into GB18030 and back
// by swapping those codes, found once by comparing ICU's tables of both.
constexpr char Gb18030[] = "GB18030";
constexpr char CodePage936[] = "windows-936";

// A character's bytes, one to four, as one number.
quint32 packed(QByteArrayView bytes)
{
    quint32 code = 0;
    for (char c : bytes)
        code = code << 8 | quint8(c);
    return code;
}

void appendPacked(QByteArray &to, quint32 code)
{
    for (int shift = code > 0xFFFF ? 24 : code > 0xFF ? 8 : 0; shift >= 0; shift -= 8)
        to.append(char(code >> shift));
}

// The codes one side writes otherwise than the other, and the first bytes of
// those codes, so that most characters need no look-up.
struct Swaps
{
    QHash<quint32, quint32> codes;
    std::array<bool, 256> leads{};

    void add(quint32 from, quint32 to)
    {
        codes.insert(from, to);
        leads[from > 0xFFFF ? from >> 24 : from > 0xFF ? from >> 8 : from] = true;
    }
};

struct CodeSwaps
{
    bool valid = false;
    Swaps toBoard;
    Swaps fromBoard;
};

std::optional<QString> decoded(const char *encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding);
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return text;
}

// Only bytes that read back as the text.
std::optional<QByteArray> encoded(const char *encoding, const QString &text)
{
    QStringEncoder encoder(encoding);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError() || decoded(encoding, bytes) != text)
        return std::nullopt;
    return bytes;
}

const CodeSwaps &codeSwaps()
{
    static const CodeSwaps swaps = [] {
        CodeSwaps made;
        auto swap = [&made](const QString &character, const std::optional<QByteArray> &onBoard) {
            const std::optional<QByteArray> inGb = encoded(Gb18030, character);
            if (!inGb || !onBoard)
                return false;
            made.toBoard.add(packed(*inGb), packed(*onBoard));
            made.fromBoard.add(packed(*onBoard), packed(*inGb));
            return true;
        };
        QByteArray pairs;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail != 0x7F)
                    pairs.append(char(lead)).append(char(trail));
            }
        }
        const std::optional<QString> inWindows = decoded(CodePage936, pairs), inGb = decoded(Gb18030, pairs);
        if (!inWindows || !inGb || inWindows->size() != pairs.size() / 2 || inGb->size() != pairs.size() / 2)
            return made;
        for (qsizetype i = 0; i < inWindows->size(); ++i) {
            const QString windowsChar = inWindows->mid(i, 1), gbChar = inGb->mid(i, 1);
            if (windowsChar == gbChar)
                continue;
            // Code page 936's character keeps the code. GB18030's goes where
            // code page 936 has it, or else takes the four bytes GB18030 gives
            // the other one, now free; never the code, which would read back
            // as another character.
            const std::optional<QByteArray> gbCharInWindows = encoded(CodePage936, gbChar);
            if (!swap(windowsChar, pairs.mid(2 * i, 2)) ||
                !swap(gbChar, gbCharInWindows ? gbCharInWindows : encoded(Gb18030, windowsChar)))
                return made;
        }
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const QByteArray code(1, char(byte));
            const std::optional<QString> character = decoded(CodePage936, code);
            if (character && !character->isEmpty() && !decoded(Gb18030, code) && !swap(*character, code))
                return made;
        }
        made.valid = true;
        return made;
    }();
    return swaps;
}

// Swaps the codes of each character, cut as GB18030 cuts them; a byte that
// starts no character becomes U+FFFD. Written for speed: a board may hold a
// MiB of characters, and most text needs no swap and no copy.
QByteArray swapCodes(const QByteArray &from, const Swaps &swaps)
{
    static const QByteArray replacement =
        encoded(Gb18030, QString(QChar::ReplacementCharacter)).value_or("?");
    const auto *bytes = reinterpret_cast<const uchar *>(from.data());
    const qsizetype size = from.size();
    const bool *swappedLead = swaps.leads.data();
    QByteArray to;      // made at the first swap
    qsizetype kept = 0; // the bytes before this one stay as they are
    for (qsizetype i = 0; i < size;) {
        const uchar lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < size) {
            const uchar second = bytes[i + 1];
            if (second >= 0x40 && second <= 0xFE && second != 0x7F)
                length = 2;
            else if (second >= 0x30 && second <= 0x39 && i + 3 < size && bytes[i + 2] >= 0x81 &&
                     bytes[i + 2] <= 0xFE && bytes[i + 3] >= 0x30 && bytes[i + 3] <= 0x39)
                length = 4;
        }
        if (length > 0 && !swappedLead[lead]) {
            i += length;
            continue;
        }
        if (to.isNull())
            to.reserve(size);
        to.append(QByteArrayView(from).sliced(kept, i - kept));
        const QByteArrayView code = QByteArrayView(from).sliced(i, qMax(length, 1));
        if (const auto swapped = swaps.codes.constFind(packed(code)); swapped != swaps.codes.cend())
            appendPacked(to, *swapped);
        else if (length == 0)
            to.append(replacement);
        else
            to.append(code);
        i += code.size();
        kept = i;
    }
    if (to.isNull())
        return from;
    to.append(QByteArrayView(from).sliced(kept));
    return to;
}

// A fresh decoder for each line, and a character cut off at the line limit
// ends it as U+FFFD: nothing of it may leak into the next line.
QString decodeName(const QByteArray &bytes)
{
    return QStringDecoder(Gb18030).decode(swapCodes(bytes, codeSwaps().fromBoard));
}

std::optional<QByteArray> encodeText(QStringView text)
{
    QStringEncoder encoder(Gb18030);
    const QByteArray gb = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return swapCodes(gb, codeSwaps().toBoard);
}

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
    const QString text = decodeName(line);
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
// from stray bytes can grow on writing, each one becoming U+FFFD's four bytes.
QString fittedName(const QString &name, const QString &scoreText)
{
    const qsizetype room = MaxLineBytes - 1 - scoreText.size();
    // No UTF-16 unit takes more than four bytes, so a name of any real
    // length is not encoded here.
    if (name.size() * 4 <= room)
        return name;
    auto bytes = [](QStringView text) { return encodeText(text).value_or(QByteArray()).size(); };
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

bool saveAtomically(const QString &boardPath, const QString &text)
{
    if (!codeSwaps().valid) {
        qCWarning(lcBoard, "cannot write %s: no code page 936 in this Qt", qUtf8Printable(boardPath));
        return false;
    }
    const std::optional<QByteArray> encodedText = encodeText(text);
    if (!encodedText) {
        qCWarning(lcBoard, "cannot write %s: the names do not encode", qUtf8Printable(boardPath));
        return false;
    }
    QString reason;
    if (!storeBoard(boardPath, *encodedText, &reason)) {
        qCWarning(lcBoard, "cannot write %s: %s", qUtf8Printable(boardPath), qUtf8Printable(reason));
        return false;
    }
    return true;
}

// A save takes well under a second even for a board of long names; a lock
// older than this belongs to a copy that hung.
constexpr int StaleLockMs = 10000;
// The window waits this long at most before it says the name was not saved.
constexpr int LockWaitMs = 3000;

BoardTable defaultTable()
{
    BoardTable table;
    table.boardNames.fill(QStringLiteral("0"));
    return table;
}

} // namespace

QString boardFileName(qint16 grd)
{
    return QStringLiteral("mirafon%1.tmp").arg(grd);
}

bool readBoard(const QString &boardPath, BoardTable &table)
{
    if (!codeSwaps().valid) {
        qCWarning(lcBoard, "cannot read %s: no code page 936 in this Qt", qUtf8Printable(boardPath));
        return false;
    }
    QString reason;
    const std::unique_ptr<QIODevice> file = openBoard(boardPath, &reason);
    if (!file) {
        // A first game has no board yet: nothing went wrong.
        const QFileInfo board(boardPath);
        if (board.exists() || board.isSymLink())
            qCWarning(lcBoard, "cannot read %s: %s", qUtf8Printable(boardPath), qUtf8Printable(reason));
        return false;
    }

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
        const QByteArray chunk = file->read(ChunkBytes);
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
    table = defaultTable();
    QString text;
    for (int slot = 0; slot < BoardPlaces; ++slot)
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
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
    // Made in one piece: a board of long names is large, and every copy
    // would delay the save.
    QString text;
    qsizetype length = name.size();
    for (const QString &kept : table.boardNames)
        length += kept.size();
    text.reserve(length + BoardPlaces * 16);
    for (int slot = 0; slot < insertPos; ++slot)
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
    text += boardLine(storedName(name), newScore);
    for (int slot = insertPos; slot < BoardPlaces - 1; ++slot)
        text += boardLine(table.boardNames[slot], table.boardScores[slot]);
    return saveAtomically(boardPath, text);
}

EntryOutcome addEntry(const QString &boardPath, const BoardTable &shown, qint16 shownPos, const QString &name,
                      qint32 newScore)
{
    QLockFile lock(boardPath + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        qCWarning(lcBoard, "cannot lock %s: %s", qUtf8Printable(boardPath),
                  lock.error() == QLockFile::LockFailedError ? "another copy holds it"
                                                             : "no lock file can be made");
        return EntryOutcome::Failed;
    }
    BoardTable now = shown;
    qint16 insertPos = shownPos;
    if (!readBoard(boardPath, now)) {
        const QFileInfo existing(boardPath);
        if (existing.exists() || existing.isSymLink())
            return EntryOutcome::Failed;
        now = defaultTable();
        insertPos = 0;
    } else if (now.boardNames != shown.boardNames || now.boardScores != shown.boardScores) {
        insertPos = findInsertPos(now, newScore);
    }
    if (insertPos < 0)
        return EntryOutcome::NoPlace;
    return writeBoard(boardPath, now, insertPos, name, newScore) ? EntryOutcome::Saved : EntryOutcome::Failed;
}

} // namespace leaderboard
