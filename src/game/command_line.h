// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCommandLineParser>
#include <QStringList>

// What the program was asked for on its command line. It is read before any
// window system is reached, so that --help and --version answer on a console
// with no display. Qt's own options (-platform, -style, ...) are let through
// for QApplication to take.
class CommandLine
{
public:
    enum class Request { Play, ShowHelp, ShowVersion, PrintProgress, PrintChildren, Refuse };

    // arguments[0] is the program, as in argv.
    explicit CommandLine(const QStringList &arguments);

    Request request() const { return request_; }
    // For Play: the child named with --child, tidied, or empty for the one
    // who played last; and whether --practice asked for a practice game.
    QString childName() const { return childName_; }
    bool practice() const { return practice_; }
    // The text to print for the request (standard output for help, version
    // and the progress table, standard error for a refusal), ending with a
    // new line.
    QString text() const;
    // The exit status for a request other than Play.
    int exitStatus() const { return request_ == Request::Refuse ? 2 : 0; }

private:
    void refuse(const QString &error);

    QCommandLineParser parser_;
    QString program_;
    Request request_ = Request::Play;
    QString childName_;
    bool practice_ = false;
    QString error_;
};
