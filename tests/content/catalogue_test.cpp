#include "catalogue.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRect>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

QRect hotSpot(int figureNo, int wordIndex)
{
    const QStringList f = content::text(content::hotSpotText(figureNo, wordIndex)).split(',');
    if (f.size() != 4)
        return {};
    return QRect(QPoint(f[0].toInt(), f[1].toInt()), QPoint(f[2].toInt(), f[3].toInt()));
}

QRect hotSpotOf(int figureNo, const QString &word)
{
    const QStringList words = content::text(content::wordListText(figureNo)).split(',');
    return hotSpot(figureNo, int(words.indexOf(word)));
}

} // namespace

TEST(Numbering, FollowsFigureLevelAndWordPosition)
{
    // "finger" is the fourth word of figure 2.
    EXPECT_EQ(content::hotSpotText(2, 3), 414);
    EXPECT_EQ(content::wordPicture(2, 3), 204);
    EXPECT_EQ(content::wordSound(2, 3), 204);
    // The first and last words of each figure.
    EXPECT_EQ(content::hotSpotText(1, 0), 401);
    EXPECT_EQ(content::hotSpotText(1, 9), 410);
    EXPECT_EQ(content::hotSpotText(2, 0), 411);
    EXPECT_EQ(content::hotSpotText(2, 9), 420);
    EXPECT_EQ(content::wordPicture(1, 9), 110);
    EXPECT_EQ(content::wordPicture(2, 0), 201);
    EXPECT_EQ(content::figurePicture(2), 200);
    EXPECT_EQ(content::wordListText(1), 301);
}

TEST(Numbering, MascotFramesOfEveryLevelAndFigure)
{
    const int expected[2][2][2] = {{{511, 521}, {512, 522}}, {{513, 523}, {514, 524}}};
    for (int level = 1; level <= 2; ++level) {
        for (int figure = 1; figure <= 2; ++figure) {
            EXPECT_EQ(content::idleMascot(level, figure), expected[level - 1][figure - 1][0]);
            EXPECT_EQ(content::speakingMascot(level, figure), expected[level - 1][figure - 1][1]);
        }
    }
}

TEST(Texts, WordListsAreTenCommaSeparatedWords)
{
    EXPECT_EQ(content::text(301), "brow,chin,eye,face,hair,hand,head,neck,shoulder,tooth");
    EXPECT_EQ(content::text(302), "arm,back,ear,finger,foot,leg,mouth,nose,toe,tongue");
    EXPECT_TRUE(content::text(303).isEmpty());
}

TEST(Texts, EveryHotSpotIsFourIntegersWithPositiveExtent)
{
    for (int n = 401; n <= 420; ++n) {
        SCOPED_TRACE(n);
        const QString spot = content::text(n);
        const QStringList fields = spot.split(',');
        ASSERT_EQ(fields.size(), 4);
        for (const QString &f : fields) {
            bool ok = false;
            f.toShort(&ok);
            EXPECT_TRUE(ok && !f.contains(' ')) << spot.toStdString();
        }
        EXPECT_LT(fields[0].toInt(), fields[2].toInt());
        EXPECT_LT(fields[1].toInt(), fields[3].toInt());
        EXPECT_LE(fields[2].toInt(), 483);
        EXPECT_LE(fields[3].toInt(), 483);
    }
    EXPECT_EQ(content::text(401), "274,158,301,169");
}

TEST(Texts, HotSpotsNestAndOverlapAsTheFiguresAreDrawn)
{
    const QRect head = hotSpotOf(1, "head");
    for (const char *inside : {"brow", "eye", "tooth"})
        EXPECT_TRUE(head.contains(hotSpotOf(1, inside))) << inside;
    for (const char *overlaps : {"chin", "face", "hair"}) {
        EXPECT_TRUE(head.intersects(hotSpotOf(1, overlaps))) << overlaps;
        EXPECT_FALSE(head.contains(hotSpotOf(1, overlaps))) << overlaps;
    }
    EXPECT_TRUE(hotSpotOf(1, "neck").intersects(hotSpotOf(1, "chin")));
    EXPECT_TRUE(hotSpotOf(1, "neck").intersects(hotSpotOf(1, "shoulder")));

    EXPECT_TRUE(hotSpotOf(2, "mouth").contains(hotSpotOf(2, "tongue")));
    const QRect touch = hotSpotOf(2, "mouth").intersected(hotSpotOf(2, "nose"));
    EXPECT_EQ(touch.width(), 1) << "mouth and nose share one column";
    for (const char *overlaps : {"leg", "toe"})
        EXPECT_TRUE(hotSpotOf(2, "foot").intersects(hotSpotOf(2, overlaps))) << overlaps;
}

TEST(Resources, EmbeddedMediaEqualTheFilesOnDisk)
{
    const QString media = qEnvironmentVariable("TOVASEL_SOURCE_DIR") + "/src/content/media";
    ASSERT_TRUE(QDir(media).exists()) << media.toStdString();
    int compared = 0;
    QDirIterator it(media, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile disk(path);
        QFile embedded(":/" + QDir(media).relativeFilePath(path));
        ASSERT_TRUE(disk.open(QIODevice::ReadOnly));
        ASSERT_TRUE(embedded.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(disk.readAll(), embedded.readAll()) << path.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 0);
}
