// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "word_record.h"

#include "catalogue.h"
#include "kept_file.h"
#include "progress_log.h"
#include "stored_file.h"

#include <QSet>

#include <algorithm>

namespace progress {
namespace {

// Version 2 adds how the first click went the last time each word was asked;
// version 1, without it, is still read.
const QByteArray Header = QByteArrayLiteral("tovasel-progress\t2");
const QByteArray HeaderVersion1 = QByteArrayLiteral("tovasel-progress\t1");
const QByteArray LastMissed = QByteArrayLiteral("missed");
const QByteArray LastRight = QByteArrayLiteral("right");
// Twenty lines fill about a kilobyte; anything much larger is not ours.
constexpr qint64 MaxFileBytes = 64 * 1024;
// A damaged file is kept aside whole up to this size.
constexpr qint64 MaxAsideBytes = 1024 * 1024;

// A count as written: plain decimal digits, no sign, no spaces.
bool readCount(const QByteArray &field, int &count)
{
    if (field.isEmpty() || field.size() > 6 ||
        !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    count = field.toInt();
    return count <= CountLimit;
}

} // namespace

Record freshRecord()
{
    Record record;
    for (int figureNo : {1, 2}) {
        const QStringList words = content::text(content::wordListText(figureNo)).split(QLatin1Char(','));
        for (int i = 0; i < words.size(); ++i)
            record.append({words[i], figureNo, i, 0, 0, QDateTime()});
    }
    return record;
}

Record parseRecord(const QByteArray &bytes, int *damagedLines)
{
    int damaged = 0;
    Record record = freshRecord();
    QList<QByteArray> lines = bytes.split('\n');
    const int fieldCount = lines.value(0) == Header ? 5 : 4;
    if (bytes.size() > MaxFileBytes || (lines.value(0) != Header && lines.value(0) != HeaderVersion1)) {
        damaged = bytes.isEmpty() ? 0 : -1;
        lines.clear();
    }
    // A file cut short ends inside a line.
    if (!lines.isEmpty() && !lines.takeLast().isEmpty())
        ++damaged;
    QSet<QString> seen;
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> fields = line.split('\t');
        const QString word = QString::fromLatin1(fields[0]);
        const auto entry = std::find_if(record.begin(), record.end(),
                                        [&word](const WordCount &known) { return known.word == word; });
        // A word the game no longer asks is dropped.
        if (entry == record.end() && fields.size() == fieldCount)
            continue;
        WordCount read = entry == record.end() ? WordCount() : *entry;
        bool good = fields.size() == fieldCount && !seen.contains(word) && readCount(fields[1], read.asked) &&
                    readCount(fields[2], read.right) && read.right <= read.asked &&
                    fields[3].isEmpty() == (read.asked == 0);
        if (good && read.asked > 0) {
            read.lastAsked = QDateTime::fromString(QString::fromLatin1(fields[3]), Qt::ISODate);
            good = read.lastAsked.isValid() && read.lastAsked.timeSpec() == Qt::UTC;
        }
        if (good && fieldCount == 5) {
            const QByteArray &last = fields[4];
            read.lastMissed = last == LastMissed;
            good = read.asked == 0 ? last.isEmpty() : (last == LastMissed || last == LastRight);
        }
        if (!good) {
            ++damaged;
            continue;
        }
        seen.insert(word);
        *entry = read;
    }
    if (damagedLines)
        *damagedLines = damaged;
    return record;
}

QByteArray formatRecord(const Record &record)
{
    QByteArray bytes = Header + '\n';
    for (const WordCount &entry : record) {
        bytes += entry.word.toLatin1() + '\t' + QByteArray::number(entry.asked) + '\t' +
                 QByteArray::number(entry.right) + '\t' +
                 (entry.asked ? entry.lastAsked.toUTC().toString(Qt::ISODate).toLatin1() : QByteArray()) +
                 '\t' + (entry.asked ? (entry.lastMissed ? LastMissed : LastRight) : QByteArray()) + '\n';
    }
    return bytes;
}

QString damagedRecordPath(const QString &path)
{
    return path + QStringLiteral(".damaged");
}

Record readRecord(const QString &path)
{
    QByteArray bytes;
    QString reason;
    if (!storage::readStoredFile(path, MaxAsideBytes, bytes, &reason)) {
        qCWarning(lcProgress, "cannot read %s: %s", qUtf8Printable(path), qUtf8Printable(reason));
        return freshRecord();
    }
    int damaged = 0;
    const Record record = parseRecord(bytes, &damaged);
    if (damaged == 0)
        return record;
    const QString lost = damaged < 0
                             ? QStringLiteral("it is not a record, and starts afresh")
                             : QStringLiteral("%1 damaged lines count as words never asked").arg(damaged);
    // Kept before the next save replaces it.
    keepDamaged(damagedRecordPath(path), bytes,
                QStringLiteral("the record %1 is damaged: %2").arg(path, lost));
    return record;
}

bool writeRecord(const Record &record, const QString &path)
{
    return keepFile(path, formatRecord(record));
}

Knowledge knowledge(int asked, int right)
{
    // In whole numbers, so that exactly 80 % and 50 % fall where they should.
    if (asked <= 0)
        return Knowledge::NeverAsked;
    if (qint64(right) * 5 > qint64(asked) * 4)
        return Knowledge::Good;
    if (qint64(right) * 2 >= asked)
        return Knowledge::Fair;
    return Knowledge::Weak;
}

Record weakestFirst(const Record &record, int figureNo)
{
    Record words;
    std::copy_if(record.begin(), record.end(), std::back_inserter(words),
                 [figureNo](const WordCount &entry) { return entry.figureNo == figureNo; });
    std::sort(words.begin(), words.end(), [](const WordCount &a, const WordCount &b) {
        if ((a.asked == 0) != (b.asked == 0))
            return b.asked == 0;
        const qint64 aShare = qint64(a.right) * b.asked;
        const qint64 bShare = qint64(b.right) * a.asked;
        if (aShare != bShare)
            return aShare < bShare;
        return a.word < b.word;
    });
    return words;
}

QList<std::pair<int, int>> weakWords(const Record &record)
{
    QList<std::pair<int, int>> words;
    for (int figureNo : {1, 2}) {
        for (const WordCount &entry : record) {
            if (entry.figureNo == figureNo && entry.asked > 0 &&
                (qint64(entry.right) * 5 < qint64(entry.asked) * 4 || entry.lastMissed))
                words.append({figureNo, entry.wordIndex});
        }
    }
    return words;
}

QString progressTable(const Record &record)
{
    QString table;
    for (int figureNo : {1, 2}) {
        for (const WordCount &entry : weakestFirst(record, figureNo))
            table += QStringLiteral("%1\t%2\t%3\n").arg(entry.word).arg(entry.asked).arg(entry.right);
    }
    return table;
}

} // namespace progress
