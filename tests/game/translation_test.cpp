// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"

#include <QAbstractItemView>
#include <QRegularExpression>
#include <QTranslator>

namespace {

// Marks every text it is asked for: a text that shows unmarked never went
// through tr(), and no translation could reach it. Installed before the game
// window is made.
struct Marked : QTranslator
{
    Marked() { QCoreApplication::installTranslator(this); }
    ~Marked() override { QCoreApplication::removeTranslator(this); }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        return u'‹' + QString::fromUtf8(source) + u'›';
    }
    bool isEmpty() const override { return false; }
};

class Translation : Marked, public GameWindowTest
{
};

} // namespace

// The texts a person sees, or hears from a screen reader, in each window and
// every control in it.
TEST_F(Translation, EveryChineseTextCanBeTranslated)
{
    QWidget opener;
    HelpWindow help(&opener);
    help.open();
    LeaderboardWindow board(&opener, boardDir.path() + '/', *this);
    board.open(100);
    ProgressWindow parents(&opener);
    parents.open();
    for (auto [name, shown] : {std::pair<const char *, QWidget *>("the game", &window),
                               {"the help", &help},
                               {"the leaderboard", &board},
                               {"the parents' window", &parents}}) {
        QStringList texts;
        const QWidgetList widgets = shown->findChildren<QWidget *>() << shown;
        for (QWidget *widget : widgets) {
            texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
                  << widget->accessibleDescription() << widget->property("text").toString();
            if (auto *view = qobject_cast<QAbstractItemView *>(widget)) {
                for (int column = 0; column < view->model()->columnCount(); ++column)
                    texts << view->model()->headerData(column, Qt::Horizontal).toString();
            }
        }
        int marked = 0;
        // A text may hold a translated one: the game's title names the child.
        static const QRegularExpression translated(QStringLiteral("‹[^›]*›"));
        for (const QString &text : texts) {
            const QString untranslated = QString(text).remove(translated);
            const bool chinese =
                std::ranges::any_of(untranslated, [](QChar c) { return c.script() == QChar::Script_Han; });
            marked += text != untranslated;
            EXPECT_FALSE(chinese) << name << " shows a text no translation reaches: " << text.toStdString();
        }
        EXPECT_GT(marked, 0) << name << " has no text to translate";
    }
}
