// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "events.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// What waits for a person's first input is not started by the window showing,
// and is started once however much input follows.
TEST(Events, AtFirstInputOnlyOnce)
{
    int runs = 0;
    atFirstInput([&runs] { ++runs; });
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "started before any input";
    QTest::mouseMove(&window, QPoint(10, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1) << "not started by the pointer's first move";
    QTest::keyClick(&window, Qt::Key_A);
    QTest::mouseClick(&window, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1) << "started again by a key and a click";
}
