// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <utility>

// What the child knows: for every word, how often it was asked and how often
// the first click on it was right. Kept in the user's data folder in a file
// of its own, never in the board file.
namespace progress {

struct WordCount
{
    QString word;
    int figureNo = 0;
    int wordIndex = 0;
    int asked = 0;
    int right = 0;           // right at the first click; never above asked
    QDateTime lastAsked;     // UTC; null when never asked
    bool lastMissed = false; // the last time it was asked, the first click missed
};
using Record = QList<WordCount>;

// Every word of both figures, figure 1's in list order, then figure 2's,
// none asked yet.
Record freshRecord();

// The record a file's bytes hold. A damaged line (a count written wrong, a
// line cut short) counts as its word never asked, and the lines that read
// well are kept; a file that is not a record at all is a fresh record.
// damagedLines counts what was lost, -1 for the whole file.
Record parseRecord(const QByteArray &bytes, int *damagedLines = nullptr);
QByteArray formatRecord(const Record &record);
// The file's copy kept aside when it was found damaged, the newest only.
QString damagedRecordPath(const QString &path);
// An absent file reads as a fresh record. A damaged one is kept aside, before
// any save can replace it, and a warning says so on stderr. The record is
// never read through a link.
Record readRecord(const QString &path);
// Atomic, and never through a link: a failed save leaves the old file as it
// was.
bool writeRecord(const Record &record, const QString &path);

// The count a word's asked and right counts never pass.
constexpr int CountLimit = 100000;

enum class Knowledge { NeverAsked, Weak, Fair, Good };
// Good above 80 % right at the first click, Fair from 50 % to 80 %, Weak under.
Knowledge knowledge(int asked, int right);

// The figure's words, the weakest first: the lowest share right at the first
// click, the words never asked last, ties by word.
Record weakestFirst(const Record &record, int figureNo);

// The words to practise, figure 1's then figure 2's, as (figure, word index):
// those asked and right at the first click under 80 % of the time, or missed
// at the first click the last time they were asked.
QList<std::pair<int, int>> weakWords(const Record &record);

// For scripts: each figure's words, figure 1's then figure 2's, each weakest
// first, a line a word: word, times asked, times right at the first click,
// separated by tabs.
QString progressTable(const Record &record);

} // namespace progress
