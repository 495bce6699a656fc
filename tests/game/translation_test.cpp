// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"
#include "game_fixtures.h"
#include "help_window.h"
#include "leaderboard_window.h"
#include "progress_window.h"
#include "translation.h"

#include <QAbstractItemView>
#include <QGlyphRun>
#include <QRegularExpression>
#include <QTextLayout>
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

// The first language written in Chinese characters decides, by its script;
// a list (LANGUAGE=en_US:zh_HK) is taken in turn.
TEST(TraditionalChinese, HongKongAndMacaoReadTaiwansTexts)
{
    const std::pair<const char *, bool> rows[] = {
        {"zh_TW", true},  {"zh_HK", true},  {"zh_MO", true},       {"zh_Hant", true},
        {"yue_HK", true}, {"zh_CN", false}, {"zh_SG", false},      {"zh_Hans_HK", false},
        {"en_US", false}, {"C", false},     {"en_US:zh_HK", true}, {"zh_CN:zh_TW", false},
    };
    for (auto [names, traditional] : rows) {
        QStringList languages;
        for (const QString &name : QString::fromLatin1(names).split(u':'))
            languages << QLocale(name).uiLanguages();
        EXPECT_EQ(toolkit::chineseFor(languages) == toolkit::Chinese::Traditional, traditional)
            << names << " (" << languages.join(u' ').toStdString() << ") does not read "
            << (traditional ? "traditional" : "simplified") << " Chinese";
    }
}

// Under the traditional texts the characters the two share take Taiwan's
// shapes; under the source texts the mainland's, as before.
TEST(TraditionalChinese, TraditionalTextsTakeTaiwansFaces)
{
    for (auto [locale, face] : {std::pair{"zh_TW", "AR PL UMing TW"}, {"zh_CN", "AR PL UMing CN"}}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        QTextLayout layout(QStringLiteral("骨"), toolkit::songFont(9, false));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        EXPECT_EQ(layout.glyphRuns().value(0).rawFont().familyName().toStdString(), face)
            << "the wrong Song face under " << locale;
    }
    QLocale::setDefault(QLocale::system());
}
