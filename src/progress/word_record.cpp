// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "word_record.h"

#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

Q_LOGGING_CATEGORY(lcProgress, "tovasel.progress", QtWarningMsg)

namespace progress {
namespace {

const QByteArray Header = QByteArrayLiteral("tovasel-progress\t1");
// Twenty lines fill about a kilobyte; anything much larger is not ours.
constexpr qint64 MaxFileBytes = 64 * 1024;

Record damaged(const char *why)
{
    qCDebug(lcProgress, "the progress record is damaged (%s); it starts afresh", why);
    return freshRecord();
}

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

// Not AppDataLocation itself: --progress reads it before any application
// object has named the program.
QString recordPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tovasel/progress.tsv");
}

Record parseRecord(const QByteArray &bytes)
{
    if (bytes.size() > MaxFileBytes)
        return damaged("size");
    QList<QByteArray> lines = bytes.split('\n');
    // A file cut short ends inside a line.
    if (!lines.takeLast().isEmpty())
        return damaged("end");
    if (lines.value(0) != Header)
        return damaged("header");
    Record record = freshRecord();
    QSet<QString> seen;
    for (const QByteArray &line : lines.mid(1)) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 4)
            return damaged("fields");
        const QString word = QString::fromLatin1(fields[0]);
        const auto entry = std::find_if(record.begin(), record.end(),
                                        [&word](const WordCount &known) { return known.word == word; });
        // A word the game no longer asks is dropped.
        if (entry == record.end())
            continue;
        if (seen.contains(word))
            return damaged("a word twice");
        seen.insert(word);
        if (!readCount(fields[1], entry->asked) || !readCount(fields[2], entry->right) ||
            entry->right > entry->asked)
            return damaged("counts");
        if (fields[3].isEmpty() != (entry->asked == 0))
            return damaged("date for the count");
        if (entry->asked == 0)
            continue;
        entry->lastAsked = QDateTime::fromString(QString::fromLatin1(fields[3]), Qt::ISODate);
        if (!entry->lastAsked.isValid() || entry->lastAsked.timeSpec() != Qt::UTC)
            return damaged("date");
    }
    return record;
}

QByteArray formatRecord(const Record &record)
{
    QByteArray bytes = Header + '\n';
    for (const WordCount &entry : record) {
        bytes += entry.word.toLatin1() + '\t' + QByteArray::number(entry.asked) + '\t' +
                 QByteArray::number(entry.right) + '\t' +
                 (entry.asked ? entry.lastAsked.toUTC().toString(Qt::ISODate).toLatin1() : QByteArray()) +
                 '\n';
    }
    return bytes;
}

Record readRecord(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return freshRecord();
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcProgress) << "the progress record cannot be read:" << file.errorString();
        return freshRecord();
    }
    return parseRecord(file.read(MaxFileBytes + 1));
}

bool writeRecord(const Record &record, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray bytes = formatRecord(record);
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows here.
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (!saved)
        qCDebug(lcProgress) << "the progress record was not saved:" << file.errorString();
    return saved;
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

QString progressTable()
{
    const Record record = readRecord();
    QString table;
    for (int figureNo : {1, 2}) {
        for (const WordCount &entry : weakestFirst(record, figureNo))
            table += QStringLiteral("%1\t%2\t%3\n").arg(entry.word).arg(entry.asked).arg(entry.right);
    }
    return table;
}

} // namespace progress
