// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "children.h"

#include "kept_file.h"
#include "progress_log.h"
#include "stored_file.h"
#include "word_record.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <optional>

namespace progress {
namespace {

const QString Format = QStringLiteral("tovasel-children");
// A list of a whole school stays far below this.
constexpr qint64 MaxFileBytes = 256 * 1024;

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tovasel");
}

bool hasUnprintable(const QString &name)
{
    return std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
               c.category() == QChar::Separator_Paragraph;
    });
}

// The list a file holds, or nothing if it is not a whole, sound list.
std::optional<Children> parseChildren(const QByteArray &bytes)
{
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    if (root.value(QStringLiteral("format")).toString() != Format ||
        root.value(QStringLiteral("version")).toInt() != 1)
        return std::nullopt;
    Children children;
    QSet<int> ids;
    for (const QJsonValue &entry : root.value(QStringLiteral("children")).toArray()) {
        const Child child{entry[QStringLiteral("id")].toInt(), entry[QStringLiteral("name")].toString()};
        if (child.id <= 0 || ids.contains(child.id) || child.name != tidyName(child.name) ||
            nameProblem(children, child.name) != NameProblem::None)
            return std::nullopt;
        ids.insert(child.id);
        children.list.append(child);
    }
    children.current = root.value(QStringLiteral("current")).toInt();
    if (!ids.contains(children.current))
        return std::nullopt;
    return children;
}

QByteArray formatChildren(const Children &children)
{
    QJsonArray list;
    for (const Child &child : children.list)
        list.append(QJsonObject{{QStringLiteral("id"), child.id}, {QStringLiteral("name"), child.name}});
    const QJsonObject root{{QStringLiteral("format"), Format},
                           {QStringLiteral("version"), 1},
                           {QStringLiteral("current"), children.current},
                           {QStringLiteral("children"), list}};
    return QJsonDocument(root).toJson();
}

Children firstChildOnly()
{
    return Children{{{FirstChildId, firstChildName()}}, FirstChildId};
}

} // namespace

const Child &Children::currentChild() const
{
    const auto child =
        std::find_if(list.begin(), list.end(), [this](const Child &child) { return child.id == current; });
    return child == list.end() ? list.first() : *child;
}

const Child *Children::find(const QString &name) const
{
    const auto child = std::find_if(list.begin(), list.end(), [&name](const Child &child) {
        return child.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return child == list.end() ? nullptr : &*child;
}

QString childrenPath()
{
    return dataFolder() + QStringLiteral("/children.json");
}

QString recordPath(int childId)
{
    if (childId == FirstChildId)
        return dataFolder() + QStringLiteral("/progress.tsv");
    return dataFolder() + QStringLiteral("/progress-%1.tsv").arg(childId);
}

QString firstChildName()
{
    //: The name of the first child, until a parent gives the real one.
    return QCoreApplication::translate("Children", "小朋友");
}

Children readChildren(const QString &path)
{
    QByteArray bytes;
    QString reason;
    if (!storage::readStoredFile(path, MaxFileBytes, bytes, &reason)) {
        qCWarning(lcProgress, "cannot read %s: %s", qUtf8Printable(path), qUtf8Printable(reason));
        return firstChildOnly();
    }
    if (bytes.isEmpty())
        return firstChildOnly();
    if (const std::optional<Children> children = parseChildren(bytes); children && !children->list.isEmpty())
        return *children;
    // Kept for a person to mend; the next change writes a new list over it.
    keepDamaged(damagedRecordPath(path), bytes,
                QStringLiteral("the list of children %1 is damaged").arg(path));
    return firstChildOnly();
}

bool writeChildren(const Children &children, const QString &path)
{
    return keepFile(path, formatChildren(children));
}

QString tidyName(const QString &typed)
{
    return typed.normalized(QString::NormalizationForm_C).trimmed();
}

NameProblem nameProblem(const Children &children, const QString &name, int renamedId)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    // Characters as a person counts them, not UTF-16 units: 𠮷 is one.
    if (name.toUcs4().size() > MaxNameLength)
        return NameProblem::TooLong;
    // A name is printed one a line and shown on one line.
    if (hasUnprintable(name))
        return NameProblem::Unprintable;
    const Child *same = children.find(name);
    if (same && same->id != renamedId)
        return NameProblem::Taken;
    return NameProblem::None;
}

QString nameRefusal(NameProblem problem, const QString &name)
{
    switch (problem) {
    case NameProblem::None:
        break;
    case NameProblem::Empty:
        return QCoreApplication::translate("Children", "名字不能是空的。");
    case NameProblem::TooLong:
        //: %1 is the longest name allowed, in characters.
        return QCoreApplication::translate("Children", "名字太长了，最多 %1 个字。").arg(MaxNameLength);
    case NameProblem::Unprintable:
        return QCoreApplication::translate("Children", "名字里不能有换行或控制字符。");
    case NameProblem::Taken:
        //: %1 is the name typed.
        return QCoreApplication::translate("Children", "已经有一个叫“%1”的孩子了。").arg(name);
    }
    return {};
}

int addChild(Children &children, const QString &name)
{
    int id = FirstChildId;
    for (const Child &child : children.list)
        id = std::max(id, child.id + 1);
    // A record left by a child removed earlier is never another child's.
    while (QFileInfo::exists(recordPath(id)))
        ++id;
    children.list.append({id, name});
    return id;
}

void renameChild(Children &children, int id, const QString &name)
{
    for (Child &child : children.list) {
        if (child.id == id)
            child.name = name;
    }
}

bool removeChild(Children &children, int id)
{
    if (children.list.size() <= 1)
        return false;
    const qsizetype removed = children.list.removeIf([id](const Child &child) { return child.id == id; });
    if (removed == 0)
        return false;
    if (children.current == id)
        children.current = children.list.first().id;
    QFile::remove(recordPath(id));
    QFile::remove(damagedRecordPath(recordPath(id)));
    return true;
}

NameProblem chooseChild(const QString &typed)
{
    const QString name = tidyName(typed);
    Children children = readChildren();
    if (const Child *known = children.find(name)) {
        children.current = known->id;
    } else {
        const NameProblem problem = nameProblem(children, name);
        if (problem != NameProblem::None)
            return problem;
        children.current = addChild(children, name);
    }
    writeChildren(children);
    return NameProblem::None;
}

} // namespace progress
