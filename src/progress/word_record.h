// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

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
    int right = 0;       // right at the first click; never above asked
    QDateTime lastAsked; // UTC; null when never asked
};
using Record = QList<WordCount>;

// Every word of both figures, figure 1's in list order, then figure 2's,
// none asked yet.
Record freshRecord();

// The record's file in the user's data folder.
QString recordPath();

// The record a file's bytes hold, or a fresh one when they are damaged in
// any way: a record is trusted whole or not at all.
Record parseRecord(const QByteArray &bytes);
QByteArray formatRecord(const Record &record);
// An absent, unreadable, oversized or damaged file reads as a fresh record.
Record readRecord(const QString &path = recordPath());
// Atomic: a failed save leaves the old file as it was.
bool writeRecord(const Record &record, const QString &path = recordPath());

// The count a word's asked and right counts never pass.
constexpr int CountLimit = 100000;

enum class Knowledge { NeverAsked, Weak, Fair, Good };
// Good above 80 % right at the first click, Fair from 50 % to 80 %, Weak under.
Knowledge knowledge(int asked, int right);

// The figure's words, the weakest first: the lowest share right at the first
// click, the words never asked last, ties by word.
Record weakestFirst(const Record &record, int figureNo);

// For scripts: each figure's words, figure 1's then figure 2's, each weakest
// first, a line a word: word, times asked, times right at the first click,
// separated by tabs.
QString progressTable();

} // namespace progress
