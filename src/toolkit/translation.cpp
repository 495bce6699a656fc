// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translation.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace toolkit {

Chinese chineseFor(const QStringList &languages)
{
    // Languages written otherwise (English, Japanese, ...) have no texts of
    // their own here: the next one in the list is asked.
    for (const QString &language : languages) {
        switch (QLocale(language).script()) {
        case QLocale::TraditionalHanScript:
            return Chinese::Traditional;
        case QLocale::SimplifiedHanScript:
            return Chinese::Simplified;
        default:
            break;
        }
    }
    return Chinese::Simplified;
}

Chinese desktopChinese()
{
    return chineseFor(QLocale().uiLanguages());
}

bool loadTranslation(QTranslator &translator)
{
    // Qt's own lookup by locale would take zh_HK for a language of its own.
    return desktopChinese() == Chinese::Traditional &&
           translator.load(QStringLiteral("tovasel_zh_TW"), QStringLiteral(":/i18n"));
}

bool loadQtTranslation(QTranslator &translator)
{
    // The interface is Chinese in every locale: so are Qt's own texts in it.
    return translator.load(desktopChinese() == Chinese::Traditional ? QStringLiteral("qtbase_zh_TW")
                                                                    : QStringLiteral("qtbase_zh_CN"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace toolkit
