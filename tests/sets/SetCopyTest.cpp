// Copies of a set between files, and what a merge refuses before it needs a
// server (the server's side is in tests/server_copy).
#include "sets/SetCopy.h"
#include "sets/SetMerge.h"
#include "sets/SetCopySupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

class SetCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        from = dir.filePath(QStringLiteral("city.vxset"));
        to = dir.filePath(QStringLiteral("copy.vxset"));
        auto made = DestinationSet::create(from, copy_test::signs());
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        copy_test::fill(*made.value());
        setId = made.value()->setId();
    }
    void TearDown() override { SetCopy::setAfterTable({}); }

    QTemporaryDir dir;
    QString from;
    QString to;
    QString setId;
};

TEST_F(SetCopyTest, AFileCopiedToAFileHasEveryRowOfEveryTableAndTheSameId)
{
    const Expected<SetCopy::Summary> copied = SetCopy::copy(from, to);
    ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
    EXPECT_EQ(copied->destinations, 3);
    EXPECT_EQ(copied->versions, 2);
    EXPECT_FALSE(copied->offline);
    EXPECT_EQ(copy_test::tables(to), copy_test::tables(from));
    // The copy is a set like any other: it opens for editing, and numbers
    // its next rows after the copied ones.
    auto opened = DestinationSet::open(to, DestinationSet::Access::Edit);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    EXPECT_EQ(opened.value()->setId(), setId);
    EXPECT_TRUE(opened.value()->addDestination(copy_test::destination("99", "ისანი")).ok());
    EXPECT_EQ(opened.value()->history(QStringLiteral("61"))->size(), 2u);
    const Expected<SetVersion> second = opened.value()->version(2);
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    EXPECT_EQ(second->images.size(), 6u);
}

TEST_F(SetCopyTest, ACopyIntoAnExistingTargetIsRefusedAndLeavesItAlone)
{
    for (const QString& existing : {from, dir.filePath(QStringLiteral("other.txt"))}) {
        testing_support::writeAll(dir.filePath(QStringLiteral("other.txt")), "keep me");
        const QByteArray before = testing_support::readAll(existing);
        const Expected<SetCopy::Summary> copied = SetCopy::copy(from, existing);
        ASSERT_FALSE(copied.ok());
        EXPECT_NE(copied.error().toStdString().find("exists already"), std::string::npos) << copied.error().toStdString();
        EXPECT_EQ(testing_support::readAll(existing), before);
    }
}

class SetCopyCutShort : public SetCopyTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SetCopyCutShort, LeavesNoSetAndNoTemporaryFile)
{
    const QString stop = QString::fromLatin1(GetParam());
    SetCopy::setAfterTable([&](const QString& table) {
        return table == stop ? Status::failure("stopped for the test") : Status::success();
    });
    const Expected<SetCopy::Summary> copied = SetCopy::copy(from, to);
    ASSERT_FALSE(copied.ok());
    EXPECT_NE(copied.error().toStdString().find("stopped for the test"), std::string::npos) << copied.error().toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("city.vxset")});
}

INSTANTIATE_TEST_SUITE_P(AtTables, SetCopyCutShort,
                         ::testing::Values("sign", "override", "image_text", "version_image", "set_identity"));

TEST_F(SetCopyTest, AMergeRefusesWhatIsNoOfflineCopyBeforeItNeedsTheServer)
{
    ASSERT_TRUE(SetCopy::copy(from, to).ok());
    const QString server = QStringLiteral("postgresql://depot@/fleet?host=/nowhere&set=city");
    const struct {
        QString copy;
        QString into;
        const char* says;
    } cases[] = {
        {to, server, "it is not an offline copy of a server set"},
        {from, server, "it is not an offline copy of a server set"},
        {server, server, "the offline copy is a set in a file"},
        {to, from, "the set to merge into is on a server"},
    };
    for (const auto& c : cases) {
        const Expected<SetMerge::Report> merged = SetMerge::merge(c.copy, c.into);
        ASSERT_FALSE(merged.ok()) << c.says;
        EXPECT_NE(merged.error().toStdString().find(c.says), std::string::npos) << merged.error().toStdString();
    }
}

TEST_F(SetCopyTest, ASetOfTheVersionBeforeGainsTheCopyTablesWhenOpenedForEditing)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("older"));
        db.setDatabaseName(from);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const char* sql :
             {"ALTER TABLE destination DROP COLUMN service", "ALTER TABLE override DROP COLUMN service",
              "ALTER TABLE version_destination DROP COLUMN service", "ALTER TABLE version_override DROP COLUMN service",
              "DROP TABLE service_word", "DROP TABLE keep_together", "DROP TABLE via_word", "DROP TABLE code_rule", "DROP TABLE imported_text", "DROP TABLE copy_base",
              "DROP TABLE copy_origin", "PRAGMA user_version = 5"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));
    ASSERT_TRUE(DestinationSet::open(from, DestinationSet::Access::Edit).ok());
    const Expected<SetCopy::Summary> copied = SetCopy::copy(from, to);
    ASSERT_TRUE(copied.ok()) << copied.error().toStdString();
    EXPECT_EQ(DestinationSet::open(to, DestinationSet::Access::Read).value()->setId(), setId);
}

} // namespace
