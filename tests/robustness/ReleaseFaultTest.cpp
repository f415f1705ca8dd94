// A release over an earlier one that is killed part-way or meets a full
// disk: every file is its old self or its new one, never half of either.
#include "Faults.h"

#include "sets/DestinationSet.h"
#include "sets/SignProfile.h"
#include "lettering/FontList.h"
#include "fleet/SetRelease.h"
#include "support/TestFiles.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace vexel;
using testing_support::readAll;
using testing_support::writeAll;

namespace {

using Tree = std::map<QString, QByteArray>;

// Every file under `folder` by its path there, hidden ones too.
Tree snapshot(const QString& folder)
{
    Tree tree;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree[QDir(folder).relativeFilePath(path)] = readAll(path);
    }
    return tree;
}

void restore(const QString& folder, const Tree& tree)
{
    QDir(folder).removeRecursively();
    for (const auto& [name, bytes] : tree) {
        QDir().mkpath(QFileInfo(folder + name).absolutePath());
        writeAll(folder + name, bytes);
    }
}

std::vector<Destination> destinations(int count, const QString& latinSuffix)
{
    const char* ka[] = {"აეროპორტი", "დიდუბე", "გლდანი", "ვარკეთილი"};
    const char* en[] = {"Airport", "Didube", "Gldani", "Varketili"};
    std::vector<Destination> all;
    for (int i = 0; i < count; ++i) {
        Destination d;
        d.code = d.route = QString::number(i + 1);
        d.destinationKa = QString::fromUtf8(ka[i % 4]);
        d.destinationEn = QString::fromUtf8(en[i % 4]) + latinSuffix;
        all.push_back(d);
    }
    return all;
}

bool makeSet(const QString& path, int count)
{
    const auto signs = SignProfile::read(QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json"));
    auto set = signs ? DestinationSet::create(path, *signs) : Expected<std::unique_ptr<DestinationSet>>(signs.status());
    return set && set.value()->merge(destinations(count, QString())).ok();
}

bool changeSet(const QString& path, int count)
{
    auto set = DestinationSet::open(path, DestinationSet::Access::Edit);
    return set && set.value()->merge(destinations(count, QStringLiteral(" Sq."))).ok();
}

int releaseWithTool(const QString& set, const QString& out, QString* said = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(VEXEL_CLI_TOOL), {"set", "release", set, "--out", out});
    const bool ended = process.waitForFinished(60000);
    if (said)
        *said = QString::fromUtf8(process.readAllStandardError());
    return ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// release.txt written whole: its table as long as its count says.
bool wholeReleaseText(const QByteArray& text)
{
    const QStringList lines = QString::fromUtf8(text).split('\n');
    const int count = lines.filter(QRegularExpression("^files: \\d+$")).value(0).mid(7).toInt();
    const int table = lines.indexOf("file\tframes\tlength\tchecksum\tmessage");
    return text.endsWith('\n') && count > 0 && table > 0 && lines.size() == table + count + 2;
}

} // namespace

TEST(ReleaseFaultTest, AReleaseKilledAtRandomLeavesEveryFileOldOrNew)
{
    QTemporaryDir dir;
    const QString folder = testing_support::folderOf(dir);
    const QString set = folder + "fleet.vxset";
    const QString out = folder + "out/";
    constexpr int Count = 8;
    ASSERT_TRUE(makeSet(set, Count));
    ASSERT_EQ(releaseWithTool(set, out), 0);
    const Tree before = snapshot(out);
    ASSERT_EQ(before.size(), 3u * Count + 4u);
    ASSERT_TRUE(changeSet(set, Count));
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(releaseWithTool(set, folder + "new/"), 0);
    const qint64 full = std::max<qint64>(clock.elapsed(), 50);
    const Tree after = snapshot(folder + "new/");

    int mixed = 0;
    for (int run = 0; run < 50; ++run) {
        restore(out, before);
        QProcess process;
        process.start(QStringLiteral(VEXEL_CLI_TOOL), {"set", "release", set, "--out", out});
        ASSERT_TRUE(process.waitForStarted());
        if (!process.waitForFinished(static_cast<int>(QRandomGenerator::global()->bounded(full)))) {
            process.kill();
            process.waitForFinished();
            // A kill while the lock file is being made leaves it empty, and
            // the set takes such a lock over only once it is ten seconds old
            // (tested with the set); here every run must reach the files.
            QFile::remove(DestinationSet::lockPath(set));
        }
        int changed = 0;
        for (const auto& [name, bytes] : snapshot(out)) {
            if (name.startsWith('.') || name.contains("/.")) {
                continue; // what the killed release staged; the next one clears it
            } else if (name.endsWith(".img")) {
                ASSERT_TRUE(before.count(name) && (bytes == before.at(name) || bytes == after.at(name)))
                    << "run " << run << ": " << name.toStdString();
                changed += bytes != before.at(name);
            } else if (name == "release.txt") {
                EXPECT_TRUE(bytes == before.at(name) || wholeReleaseText(bytes)) << "run " << run;
            } else {
                ASSERT_TRUE(name.endsWith("-proof.png")) << name.toStdString();
                EXPECT_TRUE(bytes == before.at(name) || !QImage::fromData(bytes, "PNG").isNull()) << "run " << run;
            }
        }
        mixed += changed > 0 && changed < 3 * Count;
        // The set survives too.
        const auto reopened = DestinationSet::open(set, DestinationSet::Access::Read);
        ASSERT_TRUE(reopened.ok()) << "run " << run << ": " << reopened.error().toStdString();
    }
    RecordProperty("killed_between_files", mixed);
    // A release run to the end over what a killed one left is whole.
    QString said;
    ASSERT_EQ(releaseWithTool(set, out, &said), 0) << said.toStdString();
    for (const auto& [name, bytes] : after) {
        if (name.endsWith(".img")) {
            EXPECT_EQ(readAll(out + name), bytes) << name.toStdString();
        }
    }
    EXPECT_EQ(snapshot(out).size(), after.size());
}

TEST(ReleaseFaultTest, AFullDiskLeavesTheOldReleaseWhole)
{
    testing_support::ScratchMount mount(1024);
    if (!mount.valid())
        GTEST_SKIP() << "mounting a scratch file system needs root";
    QTemporaryDir dir;
    const QString set = testing_support::folderOf(dir) + "fleet.vxset";
    ASSERT_TRUE(makeSet(set, 4));
    auto opened = DestinationSet::open(set, DestinationSet::Access::Edit);
    ASSERT_TRUE(opened.ok());
    FontList fonts(FontList::installedPlaces());
    const QString out = mount.folder() + "out/";
    ASSERT_TRUE(SetRelease::release(*opened.value(), fonts, out, {}).ok());
    const Tree before = snapshot(out);
    ASSERT_TRUE(opened.value()->merge(destinations(4, QStringLiteral(" Sq."))).ok());
    mount.fill();
    const Expected<ReleaseReport> report = SetRelease::release(*opened.value(), fonts, out, {});
    ASSERT_FALSE(report.ok());
    EXPECT_NE(report.error().toStdString().find("out/"), std::string::npos) << report.error().toStdString();
    EXPECT_EQ(snapshot(out), before); // nothing staged is left behind either
}
