// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "word_record.h"

#include <QDate>
#include <QImage>
#include <QRect>
#include <QStringList>

// The report parents keep or print: what the parents' window shows of a
// child's record, on a page of its own that names the child and the day.
namespace progress {

// The page, in the window's pixels: A4 landscape at 96 of them an inch.
constexpr QSize ReportPageSize(1123, 794);
// A saved picture's pixels per page unit, enough to print sharp.
constexpr int ReportImageRatio = 2;

// The title line, e.g. 小明的学习进度（2026年12月7日）.
QString reportTitle(const QString &childName, QDate date);
// The word tables' headings, in the window and the report.
QStringList wordTableHeadings();
// Where the figure lies on the page, at its own size.
QRect reportFigurePlace(int figureNo);
QImage reportImage(const QString &childName, QDate date, const Record &record);

enum class ReportFormat { Unknown, Png, Pdf };
// By the file's suffix, case aside.
ReportFormat reportFormat(const QString &path);
// The name suggested for the report, without its suffix: one that every
// file system takes, whatever characters the child's name holds.
QString reportFileName(const QString &childName, QDate date);

// Saves the report as a PNG picture or a PDF document, as the path's suffix
// says. The whole report reaches the path or nothing does: a file there
// before stays as it was. On failure reason says why, for the parents.
bool saveReport(const QString &path, const QString &childName, QDate date, const Record &record,
                QString *reason);

} // namespace progress
