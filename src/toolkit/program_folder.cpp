// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program_folder.h"

#include <QCoreApplication>

namespace toolkit {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace toolkit
