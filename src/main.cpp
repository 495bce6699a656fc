// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "children.h"
#include "command_line.h"
#include "events.h"
#include "game_window.h"
#include "sdl_cue_player.h"
#include "seams.h"
#include "single_instance.h"
#include "translation.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command(arguments);
    if (command.request() != CommandLine::Request::Play) {
        std::fputs(command.text().toLocal8Bit().constData(),
                   command.request() == CommandLine::Request::Refuse ? stderr : stdout);
        return command.exitStatus();
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tovasel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tovasel.tovasel"));
    // The texts are written in simplified Chinese; another language shows
    // where the program carries a translation for it.
    QTranslator translator;
    if (toolkit::loadTranslation(translator))
        QCoreApplication::installTranslator(&translator);
    QTranslator qtTranslator;
    if (toolkit::loadQtTranslation(qtTranslator))
        QCoreApplication::installTranslator(&qtTranslator);
    // One game per board: a second start (a double click too many) brings
    // the running game forward instead of opening another over it. The
    // session bus answers while the window is made, before it shows.
    const QString boardFolder = programFilesFolder();
    SingleInstance instance(boardFolder);
    // A running game is asked to do what this start was asked for.
    const QVariantList child =
        command.childName().isEmpty() ? QVariantList() : QVariantList{command.childName()};
    if (command.practice())
        instance.setAction(QStringLiteral("practice"), child);
    else if (!child.isEmpty())
        instance.setAction(QStringLiteral("child"), child);
    SdlCuePlayer player;
    ClockRandom random;

    GameWindow window(player, random, boardFolder);
    if (instance.handedOver())
        return 0;
    if (!command.childName().isEmpty()) {
        progress::chooseChild(command.childName());
        window.playerChanged();
    }
    instance.setWindow(&window);
    QObject::connect(&instance, &SingleInstance::actionRequested, &window, &GameWindow::carryOut);
    window.show();
    if (command.practice())
        window.carryOut(QStringLiteral("practice"), {});
    // Sound is loaded as a child reaches for the start button, so that
    // neither the first frame nor the first word waits for it, and a game
    // left waiting at its first frame holds no sound library.
    atFirstInput(&SdlCuePlayer::preload);
    return app.exec();
}
