// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QTranslator;

namespace toolkit {

// The program's texts are written in simplified Chinese; it carries them in
// traditional Chinese too, in Taiwan's words.
enum class Chinese { Simplified, Traditional };

// The Chinese asked for by a list of languages, most wanted first, as
// QLocale::uiLanguages gives them: the first one written in Chinese
// characters decides by its script, so that Hong Kong and Macao read
// traditional as Taiwan does, and Singapore simplified. Without one, the
// source texts.
Chinese chineseFor(const QStringList &languages);

// The desktop's, from its locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
Chinese desktopChinese();

// Loads the desktop's translation from the program's resources; false where
// the source texts show.
bool loadTranslation(QTranslator &translator);
// Loads Qt's own texts (the file dialog's, the message boxes') in the same
// Chinese, where Qt's translations are installed; false where they are not,
// and Qt's English shows.
bool loadQtTranslation(QTranslator &translator);

} // namespace toolkit
