// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_array.h"

#include <QLabel>

namespace toolkit {

QList<QLabel *> makeLabelArray(QLabel *member0, int count)
{
    QList<QLabel *> members{member0};
    for (int k = 1; k < count; ++k) {
        auto *copy = new QLabel(member0->parentWidget());
        copy->setGeometry(member0->geometry());
        copy->setFont(member0->font());
        copy->setPalette(member0->palette());
        copy->setAutoFillBackground(member0->autoFillBackground());
        copy->setAlignment(member0->alignment());
        copy->setStyleSheet(member0->styleSheet());
        copy->setWordWrap(member0->wordWrap());
        copy->setTextFormat(member0->textFormat());
        members.append(copy);
    }
    return members;
}

} // namespace toolkit
