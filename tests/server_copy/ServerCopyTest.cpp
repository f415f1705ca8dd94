// Copies between files and server sets, and an offline copy merged back
// into its server set, against the suite's own cluster.
#include "sets/SetCopy.h"
#include "sets/SetCopySupport.h"
#include "sets/SetMerge.h"
#include "sets/SetOnEngines.h"

#include "support/ScopedEnv.h"

#include "../cli/RunVexel.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;
using cli_testing::runVexel;

namespace {

class ServerCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
        file = dir.filePath(QStringLiteral("city.vxset"));
        auto made = DestinationSet::create(file, copy_test::signs());
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        copy_test::fill(*made.value());
        setId = made.value()->setId();
    }
    void TearDown() override { SetCopy::setAfterTable({}); }

    std::unique_ptr<DestinationSet> edit(const QString& path)
    {
        auto opened = DestinationSet::open(path, DestinationSet::Access::Edit);
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened ? std::move(opened).value() : nullptr;
    }

    static Destination row(DestinationSet& set, const char* code)
    {
        const std::vector<Destination> all = *set.destinations();
        for (const Destination& d : all)
            if (d.code == QLatin1String(code))
                return d;
        return {};
    }

    QTemporaryDir dir;
    QString file;
    QString setId;
};

TEST_F(ServerCopyTest, AFileThroughTwoServerSetsComesBackRowForRowWithItsId)
{
    const QString first = set_test::serverAddress(set_test::freshSetName());
    const QString second = set_test::serverAddress(set_test::freshSetName());
    const QString back = dir.filePath(QStringLiteral("back.vxset"));
    const std::pair<QString, QString> legs[] = {{file, first}, {first, second}, {second, back}};
    for (const auto& [from, to] : legs) {
        const Expected<SetCopy::Summary> copied = SetCopy::copy(from, to);
        ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
        EXPECT_EQ(copied->destinations, 3);
        EXPECT_EQ(copied->versions, 2);
        EXPECT_FALSE(copied->to.contains(QLatin1String("n0t-shown")));
        EXPECT_EQ(copied->offline, to == back);
        EXPECT_EQ(DestinationSet::open(to, DestinationSet::Access::Read).value()->setId(), setId);
    }
    EXPECT_EQ(copy_test::tables(back), copy_test::tables(file));
    // The server numbers its own rows after the copied ones.
    auto server = edit(second);
    ASSERT_TRUE(server);
    EXPECT_TRUE(server->addDestination(copy_test::destination("99", "ისანი")).ok());
    EXPECT_TRUE(server->addVersion(copy_test::released(*server, 3)).ok());
    EXPECT_EQ(server->history(QStringLiteral("99"))->size(), 1u);
}

TEST_F(ServerCopyTest, AServerTargetThatExistsIsRefusedAndACopyCutShortLeavesNoSet)
{
    const QString target = set_test::serverAddress(set_test::freshSetName());
    ASSERT_TRUE(SetCopy::copy(file, target).ok());
    const Expected<SetCopy::Summary> again = SetCopy::copy(file, target);
    ASSERT_FALSE(again.ok());
    EXPECT_NE(again.error().toStdString().find("already"), std::string::npos) << again.error().toStdString();

    for (const char* stop : {"destination", "version_image", "set_identity"}) {
        const QString cut = set_test::serverAddress(set_test::freshSetName());
        SetCopy::setAfterTable([&](const QString& table) {
            return table == QLatin1String(stop) ? Status::failure("stopped for the test") : Status::success();
        });
        EXPECT_FALSE(SetCopy::copy(file, cut).ok()) << stop;
        const auto opened = DestinationSet::open(cut, DestinationSet::Access::Read);
        ASSERT_FALSE(opened.ok()) << stop;
        EXPECT_NE(opened.error().toStdString().find("has no set"), std::string::npos) << opened.error().toStdString();
        // And the name is free for a whole copy.
        SetCopy::setAfterTable({});
        EXPECT_TRUE(SetCopy::copy(file, cut).ok()) << stop;
    }
}

TEST_F(ServerCopyTest, OfflineChangesComeBackAndOneChangedOnBothSidesIsRefusedByName)
{
    const QString server = set_test::serverAddress(set_test::freshSetName());
    const QString offline = dir.filePath(QStringLiteral("offline.vxset"));
    ASSERT_TRUE(SetCopy::copy(file, server).ok());
    ASSERT_TRUE(SetCopy::copy(server, offline).ok());

    // The merging PC's station name signs the history, here the tool's.
    const testing_support::ScopedEnv station("VEXEL_STATION", "depot-2");
    {
        auto copy = edit(offline);
        ASSERT_TRUE(copy);
        Destination twelve = row(*copy, "12");
        twelve.destinationEn = QStringLiteral("Vake Park");
        ASSERT_TRUE(copy->updateDestination(QStringLiteral("12"), twelve).ok());
        ASSERT_TRUE(copy->storeOverride(copy_test::byHand(*copy, "12", "rear", 5)).ok());
        ASSERT_TRUE(copy->addDestination(copy_test::destination("99", "ისანი")).ok());
        ASSERT_TRUE(copy->removeDestination(QStringLiteral("61")).ok());
        Destination thirtySeven = row(*copy, "37");
        thirtySeven.note = QStringLiteral("offline");
        ASSERT_TRUE(copy->updateDestination(QStringLiteral("37"), thirtySeven).ok());
    }
    {
        auto shared = edit(server);
        ASSERT_TRUE(shared);
        Destination thirtySeven = row(*shared, "37");
        thirtySeven.note = QStringLiteral("on the server");
        ASSERT_TRUE(shared->updateDestination(QStringLiteral("37"), thirtySeven).ok());
    }

    const auto merged = runVexel({"set", "merge", offline, server});
    EXPECT_EQ(merged.exit, 1) << merged.err.toStdString();
    EXPECT_TRUE(merged.err.contains("37 was changed on the server since the copy; not merged")) << merged.err.toStdString();
    EXPECT_TRUE(merged.out.contains("1 added, 1 changed, 1 removed, 1 refused")) << merged.out.toStdString();
    EXPECT_FALSE((merged.out + merged.err).contains("n0t-shown"));
    {
        auto shared = edit(server);
        ASSERT_TRUE(shared);
        EXPECT_EQ(row(*shared, "12").destinationEn, QStringLiteral("Vake Park"));
        EXPECT_EQ(row(*shared, "37").note, QStringLiteral("on the server"));
        EXPECT_EQ(row(*shared, "99").destinationKa, QStringLiteral("ისანი"));
        EXPECT_TRUE(row(*shared, "61").code.isEmpty());
        const std::vector<SignOverride> images = *shared->overrides();
        EXPECT_TRUE(std::any_of(images.begin(), images.end(), [](const SignOverride& o) {
            return o.code == QLatin1String("12") && o.sign == QLatin1String("rear");
        }));
        for (const char* code : {"12", "99", "61"}) {
            const std::vector<HistoryEntry> history = *shared->history(QString::fromLatin1(code));
            ASSERT_FALSE(history.empty()) << code;
            EXPECT_EQ(history.front().station, QStringLiteral("depot-2")) << code;
            EXPECT_TRUE(history.front().what.contains(QLatin1String("offline copy"))) << code;
        }
    }

    // A second merge brings nothing twice and still refuses 37; a later
    // offline change comes back on its own.
    const auto again = runVexel({"set", "merge", offline, server});
    EXPECT_EQ(again.exit, 1);
    EXPECT_TRUE(again.out.contains("0 added, 0 changed, 0 removed, 1 refused")) << again.out.toStdString();
    {
        auto copy = edit(offline);
        ASSERT_TRUE(copy);
        Destination twelve = row(*copy, "12");
        twelve.note = QStringLiteral("later");
        ASSERT_TRUE(copy->updateDestination(QStringLiteral("12"), twelve).ok());
    }
    const Expected<SetMerge::Report> later = SetMerge::merge(offline, server);
    ASSERT_TRUE(later.ok()) << later.error().toStdString();
    EXPECT_EQ(later->changed, QStringList{QStringLiteral("12")});
    EXPECT_EQ(later->refused.size(), 1);
    EXPECT_EQ(row(*edit(server), "12").note, QStringLiteral("later"));
}

TEST_F(ServerCopyTest, AMergeRefusesACopyOfAnotherSetAndADestinationAddedOnBothSides)
{
    const QString server = set_test::serverAddress(set_test::freshSetName());
    const QString other = set_test::serverAddress(set_test::freshSetName());
    const QString offline = dir.filePath(QStringLiteral("offline.vxset"));
    ASSERT_TRUE(SetCopy::copy(file, server).ok());
    ASSERT_TRUE(DestinationSet::create(other, copy_test::signs()).ok());
    ASSERT_TRUE(SetCopy::copy(server, offline).ok());

    const Expected<SetMerge::Report> wrong = SetMerge::merge(offline, other);
    ASSERT_FALSE(wrong.ok());
    EXPECT_NE(wrong.error().toStdString().find("it is a copy of another set"), std::string::npos) << wrong.error().toStdString();

    ASSERT_TRUE(edit(offline)->addDestination(copy_test::destination("88", "ვარკეთილი")).ok());
    ASSERT_TRUE(edit(server)->addDestination(copy_test::destination("88", "გლდანი")).ok());
    const Expected<SetMerge::Report> both = SetMerge::merge(offline, server);
    ASSERT_TRUE(both.ok()) << both.error().toStdString();
    EXPECT_EQ(both->refused, QStringList{QStringLiteral("88 was added on the server too since the copy; not merged")});
    EXPECT_EQ(row(*edit(server), "88").destinationKa, QStringLiteral("გლდანი"));
}

} // namespace
