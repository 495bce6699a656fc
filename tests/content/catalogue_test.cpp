// SPDX-FileCopyrightText: 2026 The Tovasel developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

TEST(Numbering, FollowsFigureLevelAndWordPosition)
{
    using namespace content;
    // "finger", the fourth word of figure 2, then the ends of the lists and the mascots
    const std::pair<int, int> numbers[] = {
        {hotSpotText(2, 3), 414}, {wordPicture(2, 3), 204},    {wordSound(2, 3), 204},
        {hotSpotText(1, 9), 410}, {hotSpotText(2, 0), 411},    {wordPicture(1, 9), 110},
        {figurePicture(2), 200},  {wordListText(1), 301},      {idleMascot(1, 2), 512},
        {idleMascot(2, 1), 513},  {speakingMascot(2, 1), 523}, {speakingMascot(2, 2), 524}};
    for (const auto &[got, expected] : numbers)
        EXPECT_EQ(got, expected);
}

TEST(Texts, WordListsInOrderAndTheirHotSpots)
{
    EXPECT_EQ(content::text(301), "brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth");
    EXPECT_EQ(content::text(302), "arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue");
    QStringList spots;
    for (int n = 401; n <= 420; ++n)
        spots << content::text(n);
    EXPECT_EQ(spots.join(' '),
              "274,158,301,169 272,250,305,267 267,172,297,210 221,195,260,238 303,113,384,221 "
              "203,304,240,342 245,121,377,257 282,264,318,278 298,273,334,296 262,230,303,241 "
              "189,322,237,370 159,329,180,367 158,286,178,309 245,350,263,375 143,443,200,476 "
              "153,423,180,446 187,278,226,313 226,269,239,281 187,463,203,476 193,295,212,313");
}

// Catches a media file left out of the resources.
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
    EXPECT_GT(compared, 0);
}
