// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QObject>

class QFileDialog;

namespace progress {
struct Child;
}

// Asks the parents where to save a child's report, in a file dialog that
// holds only its window, and saves it there; says why when it cannot. The
// dialog is kept for the next report, in the folder it was left in.
class ReportSaver : public QObject
{
    Q_OBJECT

public:
    explicit ReportSaver(QWidget *window);

    // Suggests a name for the child's report of today.
    void chooseFile(const progress::Child &child);

private:
    void save(const QString &path);

    QWidget *window_ = nullptr;
    QFileDialog *fileDialog_ = nullptr;
    int childId_ = 0;
    QString childName_;
    QDate date_;
};
