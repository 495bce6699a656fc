// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_store.h"

#include "board_format.h"
#include "board_log.h"
#include "stored_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace leaderboard {
namespace {

// Ten lines of at most a MiB of name and score each, as the writer fits them.
constexpr qint64 MaxWholeBoardBytes = BoardPlaces * (MaxLineBytes + 2);

// A save names its finished copy "<board>.XXXXXX" before renaming it over
// the board; a program killed between the two leaves that copy behind, and
// nothing else would ever remove it.
void removeLeftoverCopies(const QString &boardPath)
{
    const QFileInfo board(boardPath);
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QFileInfoList entries =
        board.dir().entryInfoList({board.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (!entry.isSymLink() && suffix.match(entry.fileName().mid(board.fileName().size())).hasMatch())
            QFile::remove(entry.filePath());
    }
}

} // namespace

QString boardCopyPath(const QString &boardPath)
{
    return boardPath + QStringLiteral(".copy");
}

bool isWholeBoard(const QByteArray &bytes)
{
    return bytes.count('\n') == BoardPlaces && bytes.count('\r') == BoardPlaces && bytes.endsWith("\r\n");
}

std::unique_ptr<QIODevice> openBoard(const QString &boardPath, QString *reason)
{
    auto board = std::make_unique<QFile>();
    if (!storage::openStoredFile(*board, boardPath, reason))
        return nullptr;
    // Only a board shorter than a copy beside it can be one cut short.
    const QString copyPath = boardCopyPath(boardPath);
    const QFileInfo copyFile(copyPath);
    if (!copyFile.isFile() || board->size() >= copyFile.size())
        return board;
    QByteArray copy;
    if (!storage::readStoredFile(copyPath, MaxWholeBoardBytes, copy) || !isWholeBoard(copy))
        return board;
    const QByteArray bytes = board->readAll();
    if (bytes.size() < copy.size() && copy.startsWith(bytes)) {
        qCDebug(lcBoard) << "reading" << copyPath << "in place of" << boardPath << ", cut short by a crash";
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(copy);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }
    board->seek(0);
    return board;
}

bool storeBoard(const QString &boardPath, const QByteArray &bytes, QString *reason)
{
    switch (storage::storeWay(boardPath)) {
    case storage::StoreWay::Replace:
        if (!storage::replaceStoredFile(boardPath, bytes, reason))
            return false;
        removeLeftoverCopies(boardPath);
        return true;
    case storage::StoreWay::InPlace: {
        const QString copyPath = boardCopyPath(boardPath);
        QString why;
        if (!storage::writeStoredCopy(copyPath, bytes, &why)) {
            if (reason)
                *reason = QStringLiteral("its copy %1 cannot be written (%2)").arg(copyPath, why);
            return false;
        }
        if (!storage::overwriteStoredFile(boardPath, bytes, reason))
            return false;
        // In a folder with the sticky bit, another user's copy stays; the
        // board is whole now, and is read before it.
        QFile::remove(copyPath);
        return true;
    }
    case storage::StoreWay::Refused:
        break;
    }
    if (reason)
        *reason = QFileInfo(boardPath).isSymLink() ? QStringLiteral("a link stands in its place")
                                                   : QStringLiteral("this user may not write it");
    return false;
}

} // namespace leaderboard
