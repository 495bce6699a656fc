// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include "children.h"
#include "word_record.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString HelpName = QStringLiteral("help");
const QString VersionName = QStringLiteral("version");
const QString ProgressName = QStringLiteral("progress");
const QString ChildName = QStringLiteral("child");
const QString ChildrenName = QStringLiteral("children");
const QString PracticeName = QStringLiteral("practice");

// Why a new child's name cannot be kept, for the terminal.
QString nameError(progress::NameProblem problem, const QString &name)
{
    switch (problem) {
    case progress::NameProblem::None:
        break;
    case progress::NameProblem::Empty:
        return QCoreApplication::translate("CommandLine", "a child's name cannot be empty");
    case progress::NameProblem::TooLong:
        return QCoreApplication::translate("CommandLine", "a child's name has at most %1 characters")
            .arg(progress::MaxNameLength);
    case progress::NameProblem::Unprintable:
        return QCoreApplication::translate("CommandLine", "a child's name cannot hold line breaks or control "
                                                          "characters");
    case progress::NameProblem::Taken:
        return QCoreApplication::translate("CommandLine", "there is already a child named %1").arg(name);
    }
    return {};
}

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
                                          "the first click, and exit; the table of the child who "
                                          "played last, or of the child named with --child.")});
    parser_.addOption(
        {ChildName,
         QCoreApplication::translate("CommandLine", "Play for the child named, who is added if new."),
         QCoreApplication::translate("CommandLine", "name")});
    parser_.addOption(
        {ChildrenName,
         QCoreApplication::translate("CommandLine", "Print the children's names, one a line, and exit.")});
    parser_.addOption(
        {PracticeName, QCoreApplication::translate(
                           "CommandLine", "Practise the words the child misses, without clock or score.")});
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
    else if (parser_.isSet(ChildrenName))
        request_ = Request::PrintChildren;
    practice_ = parser_.isSet(PracticeName);
    if (request_ != Request::Play && request_ != Request::PrintProgress)
        return;
    if (!parser_.isSet(ChildName))
        return;
    childName_ = progress::tidyName(parser_.value(ChildName));
    const progress::Children children = progress::readChildren();
    if (children.find(childName_))
        return;
    if (request_ == Request::PrintProgress)
        refuse(QCoreApplication::translate("CommandLine", "there is no child named %1").arg(childName_));
    else if (const progress::NameProblem problem = progress::nameProblem(children, childName_);
             problem != progress::NameProblem::None)
        refuse(nameError(problem, childName_));
}

void CommandLine::refuse(const QString &error)
{
    request_ = Request::Refuse;
    error_ = error;
}

QString CommandLine::text() const
{
    switch (request_) {
    case Request::Play:
        return {};
    case Request::PrintProgress: {
        const progress::Children children = progress::readChildren();
        const progress::Child *child =
            childName_.isEmpty() ? &children.currentChild() : children.find(childName_);
        return progress::progressTable(progress::readRecord(progress::recordPath(child->id)));
    }
    case Request::PrintChildren: {
        QString names;
        for (const progress::Child &child : progress::readChildren().list)
            names += child.name + QLatin1Char('\n');
        return names;
    }
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
            .arg(program_, error_.isEmpty() ? parser_.errorText() : error_);
    }
    return {};
}
