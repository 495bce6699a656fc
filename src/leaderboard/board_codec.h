// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The board's text encoding: code page 936, as Chinese Windows writes it (so
// that a board from there reads and is rewritten unchanged), and GB18030's
// four bytes for the characters that code page lacks.
namespace leaderboard {

// False when this Qt lacks either table; nothing is then read or written.
bool boardCodecAvailable();

// Each call starts afresh: a character cut off at the end of bytes is
// U+FFFD, as is a byte that starts no character.
QString decodeBoardText(const QByteArray &bytes);

// Nothing for text that does not encode (half a surrogate pair).
std::optional<QByteArray> encodeBoardText(QStringView text);

} // namespace leaderboard
