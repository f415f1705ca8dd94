#include "transfer/SendList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using vexel::SendList;

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(SendList, ScanTakesImageFilesOnly)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    touch(folder + "b.img");
    touch(folder + "a.img");
    touch(folder + ".hidden.img");
    touch(folder + "notes.txt");
    touch(folder + "a.img.bak");
    QDir(folder).mkdir("folder.img");
    EXPECT_EQ(SendList::imageFiles(folder), QStringList({".hidden.img", "a.img", "b.img"}));
    EXPECT_TRUE(SendList::imageFiles(folder + "missing/").isEmpty());
    EXPECT_TRUE(SendList::imageFiles(QString()).isEmpty());
}

TEST(SendList, ExistingKeepsOrderAndDropsMissing)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    touch(folder + "one.img");
    touch(folder + "three.img");
    QDir(folder).mkdir("dir.img");
    EXPECT_EQ(SendList::existing({"three.img", "two.img", "one.img", "dir.img", ""}, folder),
              QStringList({"three.img", "one.img"}));
}

TEST(SendList, ListingSkipsSentNamesCaseSensitivelyAndCountsUntitled)
{
    const QStringList files = {"Untitled3.img", "untitled3.img", "Untitled.img", "Route.img", "route.img"};
    const SendList::Listing listing = SendList::list(files, {"route.img", "Untitled3.img"});
    EXPECT_EQ(listing.fileList, QStringList({"untitled3.img", "Untitled.img", "Route.img"}));
    // Untitled3.img and Untitled.img, whether sent or not; untitled3.img is not.
    EXPECT_EQ(listing.untitledNumber, 3);
    EXPECT_EQ(SendList::list({}, {}).untitledNumber, 1);
}

TEST(SendList, ReselectStaysInsideTheList)
{
    EXPECT_EQ(SendList::reselect(2, 5), 2);
    EXPECT_EQ(SendList::reselect(5, 5), 4);
    EXPECT_EQ(SendList::reselect(3, 0), -1);
}
