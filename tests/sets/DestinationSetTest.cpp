// Destination sets: made, changed and read back; every file that is not a
// sound set refused with its name and the reason; the lock of an editor.
#include "sets/DestinationSet.h"
#include "store/SetSchema.h"
#include "depot/TextLimit.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using namespace vexel;

namespace {

const char* const NumberLayout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

VehicleSign sign(const char* name, int w, int h, const char* layout = NumberLayout)
{
    return VehicleSign{QString::fromUtf8(name), w, h, QString::fromUtf8(layout)};
}

Destination destination(const char* code, const char* ka, const char* en = "", const char* via = "")
{
    Destination d;
    d.code = d.route = QString::fromUtf8(code);
    d.destinationKa = QString::fromUtf8(ka);
    d.destinationEn = QString::fromUtf8(en);
    d.viaKa = QString::fromUtf8(via);
    return d;
}

// SQL run on a set's file behind the set's back, as another program would.
bool tamper(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tamper"));
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            ok = ok && query.exec(sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tamper"));
    return ok;
}

class DestinationSetTest : public ::testing::Test {
protected:
    DestinationSetTest() : path(dir.filePath(QStringLiteral("fleet.vxset"))) {}

    std::unique_ptr<DestinationSet> make()
    {
        auto made = DestinationSet::create(path, {sign("front", 160, 19), sign("rear", 28, 16)});
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        return made ? std::move(made).value() : nullptr;
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(DestinationSetTest, FilesThatAreNoSoundSetAreRefusedByNameAndReason)
{
    {
        auto set = make();
        ASSERT_TRUE(set && set->addDestination(destination("12", "ა")).ok());
    }
    const QByteArray whole = testing_support::readAll(path);
    struct Case {
        const char* name;
        std::function<bool(const QString&)> make;
        const char* reason;
    };
    const Case cases[] = {
        {"text.vxset", [](const QString& p) { testing_support::writeAll(p, "code,route\n12,12\n"); return true; },
         "not a destination set (not an SQLite database)"},
        {"empty.vxset", [](const QString& p) { testing_support::writeAll(p, ""); return true; }, "the file is empty"},
        {"head.vxset", [&](const QString& p) { testing_support::writeAll(p, whole.left(60)); return true; },
         "cut short"},
        {"half.vxset", [&](const QString& p) { testing_support::writeAll(p, whole.left(whole.size() / 2)); return true; },
         "cut short"},
        {"other.vxset", [](const QString& p) { return tamper(p, {QStringLiteral("CREATE TABLE t (x)")}); },
         "an SQLite database of another program"},
        {"newer.vxset",
         [&](const QString& p) {
             testing_support::writeAll(p, whole);
             return tamper(p, {QStringLiteral("PRAGMA user_version = 11")});
         },
         "written by a newer Vexel Image (set version 11; this one reads up to 10)"},
        {"trigger.vxset",
         [&](const QString& p) {
             testing_support::writeAll(p, whole);
             return tamper(p, {QStringLiteral("CREATE TRIGGER spy AFTER INSERT ON destination BEGIN "
                                              "DELETE FROM sign; END")});
         },
         "it carries a trigger \"spy\" of its own"},
        {"view.vxset",
         [&](const QString& p) {
             testing_support::writeAll(p, whole);
             return tamper(p, {QStringLiteral("CREATE VIEW destination_view AS SELECT * FROM destination")});
         },
         "it carries a view \"destination_view\""},
        {"altered.vxset",
         [&](const QString& p) {
             testing_support::writeAll(p, whole);
             return tamper(p, {QStringLiteral("DROP TABLE override")});
         },
         "it has no table \"override\""},
    };
    for (const Case& c : cases) {
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(c.make(file)) << c.name;
        for (auto access : {DestinationSet::Access::Read, DestinationSet::Access::Edit}) {
            const auto opened = DestinationSet::open(file, access);
            ASSERT_FALSE(opened.ok()) << c.name;
            const std::string expected = "Cannot open destination set \"" + file.toStdString() + "\": ";
            EXPECT_EQ(opened.error().toStdString().rfind(expected, 0), 0u) << opened.error().toStdString();
            EXPECT_NE(opened.error().toStdString().find(c.reason), std::string::npos) << opened.error().toStdString();
        }
        // Refusing changes nothing, and leaves no lock behind.
        EXPECT_FALSE(QFile::exists(DestinationSet::lockPath(file))) << c.name;
    }
    // A row made by hand that no set would hold is refused when read.
    ASSERT_TRUE(tamper(path, {QStringLiteral("UPDATE destination SET code = '..' WHERE code = '12'")}));
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    const auto read = opened.value()->destinations();
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().toStdString().find("destination row 1: \"..\" cannot name a file"), std::string::npos) << read.error().toStdString();
}

TEST_F(DestinationSetTest, ASecondEditorGetsTheSetReadOnlyOrIsRefused)
{
    auto first = make();
    ASSERT_TRUE(first);
    EXPECT_TRUE(QFile::exists(DestinationSet::lockPath(path)));

    const auto refused = DestinationSet::open(path, DestinationSet::Access::Edit);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("it is open for editing in"), std::string::npos) << refused.error().toStdString();
    EXPECT_NE(refused.error().toStdString().find(std::to_string(::getpid())), std::string::npos) << refused.error().toStdString();

    auto second = DestinationSet::open(path, DestinationSet::Access::EditOrRead);
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    EXPECT_TRUE(second.value()->readOnly());
    EXPECT_TRUE(second.value()->readOnlyReason().contains(QStringLiteral("opened read-only")));
    const Status change = second.value()->addDestination(destination("12", "ა"));
    ASSERT_FALSE(change.ok());
    EXPECT_NE(change.error().toStdString().find("it is open for editing in"), std::string::npos) << change.error().toStdString();

    // The first editor's changes are what the reader sees.
    ASSERT_TRUE(first->addDestination(destination("37", "დიდუბე")).ok());
    EXPECT_EQ(second.value()->destinations()->size(), 1u);

    first.reset();
    EXPECT_FALSE(QFile::exists(DestinationSet::lockPath(path)));
    EXPECT_TRUE(DestinationSet::open(path, DestinationSet::Access::Edit).ok());
}

TEST_F(DestinationSetTest, TheLockOfAnEditorThatDiedIsTakenOver)
{
    make().reset();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile lock(DestinationSet::lockPath(path));
        ::_exit(lock.tryLock(0) ? 0 : 1); // ends without removing its lock
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(QFile::exists(DestinationSet::lockPath(path)));
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Edit);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    EXPECT_FALSE(opened.value()->readOnly());
}

// A lock file left empty by an editor stopped while making it names no one:
// once it is old it is taken over; a fresh one may still be being written.
TEST_F(DestinationSetTest, AnEmptyLockLeftByAKilledEditorIsTakenOverOnceOld)
{
    make().reset();
    const QString lockFile = DestinationSet::lockPath(path);
    testing_support::writeAll(lockFile, "");
    EXPECT_FALSE(DestinationSet::open(path, DestinationSet::Access::Edit).ok());

    QFile file(lockFile);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    file.close();
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Edit);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    EXPECT_FALSE(opened.value()->readOnly());
}

// A change cut short by a kill leaves its rollback journal: a reader finds
// the set as it was before that change, not "damaged".
TEST_F(DestinationSetTest, AChangeCutShortIsRolledBackForAReaderToo)
{
    make().reset();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cut-short"));
        db.setDatabaseName(path);
        if (!db.open())
            ::_exit(2);
        QSqlQuery q(db);
        // Enough pages changed that SQLite writes them to the file before
        // the commit that never comes.
        const bool begun = q.exec(QStringLiteral("PRAGMA cache_size = 1")) && q.exec(QStringLiteral("BEGIN")) &&
                           q.exec(QStringLiteral("CREATE TABLE scratch(x)")) &&
                           q.exec(QStringLiteral("INSERT INTO scratch VALUES (zeroblob(200000))"));
        ::_exit(begun ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    ASSERT_GT(QFileInfo(path + QStringLiteral("-journal")).size(), 0);

    const auto read = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(read.ok()) << read.error().toStdString();
    EXPECT_EQ(read.value()->destinations()->size(), 0u);
}

TEST_F(DestinationSetTest, CreateRefusesAnExistingFileAndLeavesNothingOnFailure)
{
    testing_support::writeAll(path, "mine");
    const auto exists = DestinationSet::create(path, {sign("front", 160, 19)});
    ASSERT_FALSE(exists.ok());
    EXPECT_NE(exists.error().toStdString().find("the file exists already"), std::string::npos);
    EXPECT_EQ(testing_support::readAll(path), QByteArray("mine"));

    const QString other = dir.filePath(QStringLiteral("other.vxset"));
    EXPECT_FALSE(DestinationSet::create(other, {sign("front", 160, 19), sign("FRONT", 96, 24)}).ok());
    EXPECT_FALSE(DestinationSet::create(other, {}).ok());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("fleet.vxset")});
}

TEST_F(DestinationSetTest, ATextNoSignCouldShowIsRefusedWhenAddedEditedOrRead)
{
    struct Column {
        const char* name;
        QString Destination::*text;
    };
    const Column columns[] = {{"route", &Destination::route},
                              {"destination_ka", &Destination::destinationKa},
                              {"destination_en", &Destination::destinationEn},
                              {"via_ka", &Destination::viaKa},
                              {"via_en", &Destination::viaEn}};
    auto set = make();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->addDestination(destination("1", "ა")).ok());
    const std::string tooLong = " is 1001 characters long, at most 1000";
    for (const Column& c : columns) {
        Destination longest = destination(c.name, "ა");
        longest.*c.text = QString(MaxSignTextLength, QLatin1Char('x'));
        EXPECT_TRUE(set->addDestination(longest).ok()) << c.name;
        EXPECT_TRUE(set->updateDestination(QStringLiteral("1"), [&] {
                           Destination d = longest;
                           d.code = QStringLiteral("1");
                           return d;
                       }()).ok())
            << c.name;

        Destination over = longest;
        over.code = QStringLiteral("new");
        (over.*c.text) += QLatin1Char('x');
        const std::string reason = std::string("destination new: ") + c.name + tooLong;
        const Status added = set->addDestination(over);
        ASSERT_FALSE(added.ok()) << c.name;
        EXPECT_NE(added.error().toStdString().find(reason), std::string::npos) << added.error().toStdString();
        const Status updated = set->updateDestination(QString::fromUtf8(c.name), over);
        ASSERT_FALSE(updated.ok()) << c.name;
        EXPECT_NE(updated.error().toStdString().find(reason), std::string::npos) << updated.error().toStdString();
    }
    set.reset();

    // A stored row made longer behind the set's back.
    ASSERT_TRUE(tamper(path, {QStringLiteral("UPDATE destination SET via_en = via_en || 'x' WHERE code = 'via_en'")}));
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    const auto read = opened.value()->destinations();
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().toStdString().find("destination via_en: via_en" + tooLong), std::string::npos) << read.error().toStdString();
}

