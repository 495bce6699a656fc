// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// The children who play on this account, each with a record of their own,
// and who plays now. Kept in the user's data folder beside the records.
namespace progress {

struct Child
{
    int id = 0; // names the child's record file; never reused while it exists
    QString name;
};

// The first child's id: its record is the one kept before the game knew of
// children, so that no answer given then is lost.
constexpr int FirstChildId = 1;

struct Children
{
    QList<Child> list; // in the order they were added; never empty
    int current = FirstChildId;

    const Child &currentChild() const;
    // The child of that name, compared as names are: case aside; null if none.
    const Child *find(const QString &name) const;
};

// The longest name a child may have, in characters.
constexpr int MaxNameLength = 40;

QString childrenPath();
// The child's record file.
QString recordPath(int childId);

// The list as kept; without a file, the first child alone, named by
// firstChildName(). A damaged file is kept aside and a warning says so.
Children readChildren(const QString &path = childrenPath());
bool writeChildren(const Children &children, const QString &path = childrenPath());
QString firstChildName();

// A name as it is kept: spaces trimmed off its ends, and composed (NFC) so
// that the same name typed through two input methods is one name.
QString tidyName(const QString &typed);

enum class NameProblem { None, Empty, TooLong, Unprintable, Taken };
// What keeps a tidied name from being stored; renaming a child to its own
// name is no problem.
NameProblem nameProblem(const Children &children, const QString &name, int renamedId = 0);
// The sentence that refuses the name, for the parents' window and the
// command line.
QString nameRefusal(NameProblem problem, const QString &name);

// Each takes a name without problems. addChild returns the new child's id.
int addChild(Children &children, const QString &name);
void renameChild(Children &children, int id, const QString &name);
// Removes the child and its record; the last child stays. Who plays now
// becomes the first child left, if it was the removed one.
bool removeChild(Children &children, int id);

// The child named, added if new, made the one who plays now and kept.
// Returns the problem that refuses a new name; nothing changes then.
NameProblem chooseChild(const QString &typed);

} // namespace progress
