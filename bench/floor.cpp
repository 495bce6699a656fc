// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floors the start-up benchmark compares against: the least a Qt Widgets
// program can do to show one 483 x 483 picture, and, given a text, the same
// picture with one line of that text beside it.
//
//   floor PICTURE [TEXT]

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QPixmap picture(QString::fromLocal8Bit(argc > 1 ? argv[1] : "100.png"));
    if (argc < 3) {
        QLabel window;
        window.setWindowTitle(QStringLiteral("Floor"));
        window.setPixmap(picture);
        window.show();
        return app.exec();
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    auto *layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *figure = new QLabel(&window);
    figure->setPixmap(picture);
    layout->addWidget(figure);
    layout->addWidget(new QLabel(QString::fromLocal8Bit(argv[2]), &window));
    window.show();
    return app.exec();
}
