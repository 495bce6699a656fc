// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class NameDialog;
namespace progress {
struct Children;
}
class QComboBox;
class QPushButton;

// The parents' window's list of children: who plays now, chosen from the
// list, and buttons to add, rename and remove a child. Every change is kept
// at once.
class ChildrenBar : public QWidget
{
    Q_OBJECT

public:
    explicit ChildrenBar(QWidget *parent = nullptr);

    // Reads the list again.
    void showChildren();

signals:
    // Another child plays now, or the one who does has a new name.
    void playerChanged();

private:
    void keep(const progress::Children &children);
    void choose(int index);
    void addChild(const QString &name);
    void renameChild(const QString &name);
    void askRemove();
    void removeChild();
    NameDialog *nameDialog(NameDialog *&dialog, const QString &title, bool renaming);

    QComboBox *childBox_ = nullptr;
    QPushButton *addButton_ = nullptr;
    QPushButton *renameButton_ = nullptr;
    QPushButton *removeButton_ = nullptr;
    NameDialog *addDialog_ = nullptr;
    NameDialog *renameDialog_ = nullptr;
};
