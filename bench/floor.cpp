// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the start-up benchmark compares against: the least a Qt Widgets
// program can do to show one 483 x 483 picture.

#include <QApplication>
#include <QLabel>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setPixmap(QPixmap(QString::fromLocal8Bit(argc > 1 ? argv[1] : "100.png")));
    window.show();
    return app.exec();
}
