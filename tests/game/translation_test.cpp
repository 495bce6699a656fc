// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTranslator>

namespace {

// Marks every text it is asked for: a text that shows unmarked never went
// through tr(), and no translation could reach it.
struct MarkingTranslator : QTranslator
{
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return u'‹' + QString::fromUtf8(source) + u'›';
    }
    bool isEmpty() const override { return false; }
};

// Installed before the game window is made.
struct Marked
{
    MarkingTranslator translator;
    Marked() { QCoreApplication::installTranslator(&translator); }
    ~Marked() { QCoreApplication::removeTranslator(&translator); }
};

class Translation : Marked, public GameWindowTest
{
};

// The texts a person sees or hears from a screen reader, in the window and
// every control in it.
QStringList shownTexts(QWidget *window)
{
    QStringList texts;
    QWidgetList widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
              << widget->accessibleDescription();
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *table = qobject_cast<QTableWidget *>(widget)) {
            for (int column = 0; column < table->columnCount(); ++column)
                texts << table->horizontalHeaderItem(column)->text();
        }
    }
    return texts;
}

} // namespace

TEST_F(Translation, EveryChineseTextCanBeTranslated)
{
    QWidget opener;
    HelpWindow help(&opener);
    help.open();
    LeaderboardWindow board(&opener, boardDir.path() + '/', *this);
    board.open(100);
    ProgressWindow parents(&opener);
    parents.open();
    const QList<std::pair<const char *, QWidget *>> windows{{"the game", &window},
                                                            {"the help", &help},
                                                            {"the leaderboard", &board},
                                                            {"the parents' window", &parents}};
    for (const auto &[name, shown] : windows) {
        int marked = 0;
        for (const QString &text : shownTexts(shown)) {
            const bool chinese = std::any_of(text.begin(), text.end(),
                                             [](QChar c) { return c.script() == QChar::Script_Han; });
            marked += text.startsWith(u'‹');
            EXPECT_TRUE(!chinese || text.startsWith(u'‹'))
                << name << " shows a text no translation reaches: " << text.toStdString();
        }
        EXPECT_GT(marked, 0) << name << " has no text to translate";
    }
}
