// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help_window.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

// At its place at every opening, wherever it was moved last; the opener
// waits under it. Its text is two paragraphs, each a whole sentence, that fit.
TEST(HelpWindow, ShowsAtItsPlaceAndHoldsTheOpener)
{
    QWidget opener;
    HelpWindow window(&opener);
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(testing::Message() << "opening " << opening);
        window.open();
        EXPECT_EQ(window.pos(), QPoint(147, 133)) << "the help's place";
        EXPECT_EQ(window.size(), QSize(338, 288)) << "the help's size";
        EXPECT_FALSE(!QApplication::activeModalWidget()) << "the opener stays usable under the help";
        window.move(400, 300);
        window.close();
        EXPECT_TRUE(!QApplication::activeModalWidget()) << "closing the help keeps the opener disabled";
    }
    const auto *label = window.findChild<QLabel *>("helpLabel");
    const QStringList paragraphs = label->text().split("\r\n\r\n");
    EXPECT_EQ(paragraphs.size(), 2) << "not two paragraphs with an empty line between them";
    for (const QString &paragraph : paragraphs)
        EXPECT_TRUE(paragraph.endsWith(u'。')) << "a paragraph ends in the middle of a sentence";
    EXPECT_LE(label->fontMetrics().boundingRect(label->rect(), Qt::TextWordWrap, label->text()).height(),
              label->height())
        << "the help does not fit";
}
