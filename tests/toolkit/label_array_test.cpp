// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_array.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

TEST(LabelArray, CopiesMemberZero)
{
    QWidget window;
    auto *member0 = new QLabel(&window);
    member0->setGeometry(16, 88, 81, 25);
    QFont font = member0->font();
    font.setBold(true);
    member0->setFont(font);
    member0->setAlignment(Qt::AlignRight);
    member0->setAutoFillBackground(true);
    QPalette palette = member0->palette();
    palette.setColor(QPalette::Window, Qt::white);
    member0->setPalette(palette);

    const QList<QLabel *> labels = toolkit::makeLabelArray(member0, 10);
    ASSERT_EQ(labels.size(), 10);
    EXPECT_EQ(labels[0], member0);
    for (QLabel *copy : labels) {
        EXPECT_EQ(copy->parentWidget(), &window);
        EXPECT_EQ(copy->geometry(), member0->geometry());
        EXPECT_TRUE(copy->font().bold());
        EXPECT_EQ(copy->alignment(), Qt::AlignRight);
        EXPECT_EQ(copy->palette().color(QPalette::Window), QColor(Qt::white));
    }
}
