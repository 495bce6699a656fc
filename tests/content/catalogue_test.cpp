// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <tuple>

// A hot-spot "x1,y1,x2,y2" as a rectangle; null unless four plain integers.
static QRect hotSpot(int number)
{
    const auto m = QRegularExpression("^(\\d+),(\\d+),(\\d+),(\\d+)$").match(content::text(number));
    const auto at = [&](int i) { return m.captured(i).toInt(); };
    return m.hasMatch() ? QRect(QPoint(at(1), at(2)), QPoint(at(3), at(4))) : QRect();
}

static QRect hotSpot(int figureNo, const char *word)
{
    const int index = int(content::text(content::wordListText(figureNo)).split(',').indexOf(word));
    return hotSpot(content::hotSpotText(figureNo, index));
}

TEST(Numbering, FollowsFigureLevelAndWordPosition)
{
    using namespace content;
    // "finger", the fourth word of figure 2, then the first and last words, then the mascots
    const std::pair<int, int> numbers[] = {
        {hotSpotText(2, 3), 414},    {wordPicture(2, 3), 204},   {wordSound(2, 3), 204},
        {hotSpotText(1, 0), 401},    {hotSpotText(1, 9), 410},   {hotSpotText(2, 0), 411},
        {hotSpotText(2, 9), 420},    {wordPicture(1, 9), 110},   {wordPicture(2, 0), 201},
        {figurePicture(2), 200},     {wordListText(1), 301},     {idleMascot(1, 1), 511},
        {idleMascot(1, 2), 512},     {idleMascot(2, 2), 514},    {speakingMascot(1, 1), 521},
        {speakingMascot(2, 1), 523}, {speakingMascot(2, 2), 524}};
    for (const auto &[got, expected] : numbers)
        EXPECT_EQ(got, expected);
}

TEST(Texts, WordListsAndHotSpotsAsTheFiguresAreDrawn)
{
    EXPECT_EQ(content::text(301), "brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth");
    EXPECT_EQ(content::text(302), "arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue");
    EXPECT_TRUE(content::text(303).isEmpty());
    // The figures are drawn around these numbers: each part inside its rectangle, each inside the figure.
    const char *const spots[] = {"274,158,301,169", "272,250,305,267", "267,172,297,210", "221,195,260,238",
                                 "303,113,384,221", "203,304,240,342", "245,121,377,257", "282,264,318,278",
                                 "298,273,334,296", "262,230,303,241", "189,322,237,370", "159,329,180,367",
                                 "158,286,178,309", "245,350,263,375", "143,443,200,476", "153,423,180,446",
                                 "187,278,226,313", "226,269,239,281", "187,463,203,476", "193,295,212,313"};
    for (int n = 401; n <= 420; ++n) {
        EXPECT_EQ(content::text(n), spots[n - 401]) << n;
        EXPECT_TRUE(QRect(0, 0, 483, 483).contains(hotSpot(n))) << n;
    }
    // The hot-spots nest and overlap as the body parts do: figure, a word,
    // another, and whether the first holds the second or only overlaps it
    const std::tuple<int, const char *, const char *, bool> pairs[] = {
        {1, "head", "brow", true},    {1, "head", "eye", true},   {1, "head", "tooth", true},
        {2, "mouth", "tongue", true}, {1, "head", "chin", false}, {1, "head", "face", false},
        {1, "head", "hair", false},   {1, "neck", "chin", false}, {1, "neck", "shoulder", false},
        {2, "foot", "leg", false},    {2, "foot", "toe", false}};
    for (const auto &[figure, a, b, holds] : pairs) {
        const QRect p = hotSpot(figure, a), q = hotSpot(figure, b);
        EXPECT_TRUE(holds ? p.contains(q) : p.intersects(q) && !p.contains(q)) << a << ", " << b;
    }
    EXPECT_EQ(hotSpot(2, "mouth").intersected(hotSpot(2, "nose")).width(), 1) << "one shared column";
}

TEST(Resources, EmbeddedMediaEqualTheFilesOnDisk)
{
    const QDir media(qEnvironmentVariable("TOVASEL_SOURCE_DIR") + "/src/content/media");
    int compared = 0;
    for (QDirIterator it(media.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++compared) {
        QFile disk(it.next()), embedded(":/" + media.relativeFilePath(it.filePath()));
        EXPECT_TRUE(disk.open(QFile::ReadOnly) && embedded.open(QFile::ReadOnly) &&
                    disk.readAll() == embedded.readAll())
            << qPrintable(it.filePath());
    }
    EXPECT_GT(compared, 0) << qPrintable(media.path());
}
