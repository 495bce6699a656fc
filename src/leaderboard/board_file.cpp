// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_file.h"

#include "board_codec.h"
#include "board_format.h"
#include "board_log.h"
#include "board_store.h"

#include <QFileInfo>
#include <QIODevice>

namespace leaderboard {
namespace {

constexpr qint64 ChunkBytes = 64 * 1024;

bool save(const QString &boardPath, const std::optional<QByteArray> &bytes)
{
    if (!boardCodecAvailable()) {
        qCWarning(lcBoard, "cannot write %s: no code page 936 in this Qt", qUtf8Printable(boardPath));
        return false;
    }
    if (!bytes) {
        qCWarning(lcBoard, "cannot write %s: the names do not encode", qUtf8Printable(boardPath));
        return false;
    }
    QString reason;
    if (!storeBoard(boardPath, *bytes, &reason)) {
        qCWarning(lcBoard, "cannot write %s: %s", qUtf8Printable(boardPath), qUtf8Printable(reason));
        return false;
    }
    return true;
}

} // namespace

QString boardFileName()
{
    return QStringLiteral("mirafon1.tmp");
}

bool readBoard(const QString &boardPath, Board &board)
{
    if (!boardCodecAvailable()) {
        qCWarning(lcBoard, "cannot read %s: no code page 936 in this Qt", qUtf8Printable(boardPath));
        return false;
    }
    QString reason;
    const std::unique_ptr<QIODevice> file = openBoard(boardPath, &reason);
    if (!file) {
        // A first game has no board yet: nothing went wrong.
        const QFileInfo existing(boardPath);
        if (existing.exists() || existing.isSymLink())
            qCWarning(lcBoard, "cannot read %s: %s", qUtf8Printable(boardPath), qUtf8Printable(reason));
        return false;
    }
    BoardReader reader(board);
    while (!reader.done()) {
        const QByteArray chunk = file->read(ChunkBytes);
        if (chunk.isEmpty())
            break;
        reader.read(chunk);
    }
    board = reader.finish();
    return true;
}

bool createDefaultBoard(const QString &boardPath)
{
    // Whatever stands there could not be read; it may still be someone's board.
    const QFileInfo existing(boardPath);
    if (existing.exists() || existing.isSymLink())
        return false;
    return save(boardPath, boardBytes(defaultBoard()));
}

bool writeBoard(const QString &boardPath, const Board &board, int place, const QString &typedName,
                qint32 score)
{
    if (place < 0 || place >= BoardPlaces)
        return false;
    return save(boardPath, boardBytes(board, place, typedName, score));
}

} // namespace leaderboard
