// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "translation.h"

#include <QStringList>

namespace toolkit {

QFont songFont(qreal pointSize, bool bold)
{
    QFont font;
    // Families are tried in order per character: Latin text takes the first,
    // Chinese falls through to the first installed CJK Song face. The
    // traditional texts take Taiwan's faces first, for Taiwan's shapes of
    // the characters the two share.
    if (desktopChinese() == Chinese::Traditional)
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("AR PL UMing TW"),
                          QStringLiteral("Noto Serif CJK TC"), QStringLiteral("AR PL UMing CN"),
                          QStringLiteral("Noto Serif CJK SC")});
    else
        font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("AR PL UMing CN"),
                          QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing TW")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace toolkit
