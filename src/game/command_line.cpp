// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "word_record.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString HelpName = QStringLiteral("help");
const QString VersionName = QStringLiteral("version");
const QString ProgressName = QStringLiteral("progress");

// The options QGuiApplication and QApplication read for themselves.
void allowQtOptions(QCommandLineParser &parser)
{
    auto allow = [&parser](std::initializer_list<const char *> names, const QString &valueName) {
        for (const char *name : names) {
            QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    };
    allow({"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
           "qwindowtitle", "session", "display", "geometry", "name", "title", "icon", "style", "stylesheet",
           "qmljsdebugger", "visual"},
          QStringLiteral("value"));
    // Flags: no value follows them.
    allow({"reverse", "widgetcount", "nograb", "dograb", "sync"}, QString());
}

} // namespace

CommandLine::CommandLine(const QStringList &arguments)
    : program_(arguments.isEmpty() ? QStringLiteral("tovasel") : QFileInfo(arguments.first()).fileName())
{
    parser_.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "A game that teaches young children the English words for the parts of the body."));
    // Qt's own options start with a single dash and are words.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOption({{QStringLiteral("h"), HelpName},
                       QCoreApplication::translate("CommandLine", "Print these options and exit.")});
    parser_.addOption({{QStringLiteral("v"), VersionName},
                       QCoreApplication::translate("CommandLine", "Print the version and exit.")});
    parser_.addOption(
        {ProgressName, QCoreApplication::translate(
                           "CommandLine", "Print how often each word was asked and answered right at "
                                          "the first click, and exit.")});
    allowQtOptions(parser_);

    const bool parsed = parser_.parse(arguments);
    if (parser_.isSet(HelpName))
        request_ = Request::ShowHelp;
    else if (parser_.isSet(VersionName))
        request_ = Request::ShowVersion;
    else if (!parsed)
        request_ = Request::Refuse;
    else if (parser_.isSet(ProgressName))
        request_ = Request::PrintProgress;
}

QString CommandLine::text() const
{
    switch (request_) {
    case Request::Play:
        return {};
    case Request::PrintProgress:
        return progress::progressTable();
    case Request::ShowHelp: {
        // The parser names the program only when an application object
        // exists; none does yet.
        QString help = parser_.helpText();
        help.replace(QStringLiteral("<executable_name>"), program_);
        return help;
    }
    case Request::ShowVersion:
        return QStringLiteral("%1 %2\n").arg(program_, QStringLiteral(TOVASEL_VERSION));
    case Request::Refuse:
        //: %1 is the program's name, %2 the parser's error.
        return QCoreApplication::translate("CommandLine", "%1: %2\nTry '%1 --help' for the options.\n")
            .arg(program_, parser_.errorText());
    }
    return {};
}
