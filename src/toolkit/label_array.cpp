// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_array.h"

#include <QLabel>

namespace toolkit {

QList<QLabel *> makeLabelArray(QLabel *first, int count)
{
    QList<QLabel *> labels{first};
    for (int k = 1; k < count; ++k) {
        auto *copy = new QLabel(first->parentWidget());
        copy->setGeometry(first->geometry());
        copy->setFont(first->font());
        copy->setPalette(first->palette());
        copy->setAutoFillBackground(first->autoFillBackground());
        copy->setAlignment(first->alignment());
        copy->setStyleSheet(first->styleSheet());
        copy->setWordWrap(first->wordWrap());
        copy->setTextFormat(first->textFormat());
        labels.append(copy);
    }
    return labels;
}

} // namespace toolkit
