// Versions of a destination set: kept, listed, read back byte for byte,
// compared and restored; a set of the first schema read as it is and brought
// up when opened for editing; stored versions of a hostile file refused.
#include "sets/DestinationSet.h"
#include "store/SetSchema.h"
#include "sets/VersionDiff.h"
#include "store/VersionTable.h"
#include "document/ImageFile.h"
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

Destination destination(const QString& code, const QString& ka, const QString& en = {})
{
    Destination d;
    d.code = d.route = code;
    d.destinationKa = ka;
    d.destinationEn = en;
    return d;
}

ImageRecord image(int w, int h, unsigned seed)
{
    return *ImageFile::parse(testing_support::randomImageText(2, w, h, seed));
}

// What a release would keep: the set's destinations and overrides and an
// image of each destination on each sign, drawn from `seed`.
SetVersion released(const DestinationSet& set, unsigned seed, const QString& note = {})
{
    SetVersion v;
    v.note = note;
    v.destinations = *set.destinations();
    v.overrides = *set.overrides();
    const std::vector<VehicleSign> signs = *set.signs();
    for (const VehicleSign& s : signs)
        for (const Destination& d : v.destinations)
            v.images.push_back({s.name, d.code, image(s.width, s.height, seed + qHash(d.code + d.destinationKa))});
    return v;
}

// Runs SQL on a file as another program would.
bool runSql(const QString& path, const QStringList& statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("by-hand"));
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            ok = ok && query.exec(sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("by-hand"));
    return ok;
}

// A set as the first schema made it, with one sign and two destinations.
bool makeVersion1(const QString& path)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(path);
        ok = db.open() && SetSchema::step(db, 0).ok();
        for (const char* sql :
             {"PRAGMA user_version = 1",
              "INSERT INTO sign (name, width, height, layout) VALUES ('front', 160, 19, "
              "'{ \"frames\": [ { \"preset\": \"number\", \"destination\": \"{destination_ka}\" } ] }')",
              "INSERT INTO destination (code, route, destination_ka, destination_en, via_ka, via_en, note, in_use, "
              "latin_suggested) VALUES ('12', '12', 'ვაკე', 'Vake', '', '', '', 1, 0)",
              "INSERT INTO destination (code, route, destination_ka, destination_en, via_ka, via_en, note, in_use, "
              "latin_suggested) VALUES ('37', '37', 'დიდუბე', '', '', '', 'night', 0, 0)"}) {
            QSqlQuery query(db);
            ok = ok && query.exec(QString::fromUtf8(sql));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));
    return ok;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SetVersionTest : public ::testing::Test {
protected:
    SetVersionTest() : path(dir.filePath(QStringLiteral("fleet.vxset"))) {}

    std::unique_ptr<DestinationSet> make()
    {
        auto made = DestinationSet::create(path, {VehicleSign{QStringLiteral("front"), 160, 19, Layout},
                                                  VehicleSign{QStringLiteral("rear"), 28, 16, Layout}});
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        return made ? std::move(made).value() : nullptr;
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(SetVersionTest, FirstSchemaIsReadAsItIsAndBroughtUpForEditing)
{
    ASSERT_TRUE(makeVersion1(path));
    const QByteArray before = fileBytes(path);
    {
        auto read = DestinationSet::open(path, DestinationSet::Access::Read);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        ASSERT_EQ(read.value()->destinations()->size(), 2u);
        EXPECT_TRUE(read.value()->versions()->empty());
        EXPECT_FALSE(read.value()->version(1).ok());
    }
    EXPECT_EQ(fileBytes(path), before) << "a read-only opening changed the file";

    {
        auto edit = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(edit.ok()) << edit.error().toStdString();
        DestinationSet& set = *edit.value();
        const auto kept = *set.destinations();
        ASSERT_EQ(kept.size(), 2u);
        EXPECT_EQ(kept[1].note, QStringLiteral("night"));
        EXPECT_FALSE(kept[1].inUse);
        const Expected<int> first = set.addVersion(released(set, 1));
        ASSERT_TRUE(first.ok()) << first.error().toStdString();
        EXPECT_EQ(*first, 1);
    }
    // Reopened as the new schema, every check passes and the version is there.
    auto again = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(again.value()->versions()->size(), 1u);
    EXPECT_EQ(again.value()->words()->viaSeparators, QStringList{QStringLiteral(" via ")});
    EXPECT_EQ(again.value()->signs()->front().pitchMm, 0.0);
}

TEST_F(SetVersionTest, HostileVersionTablesAreRefused)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        ASSERT_TRUE(set->addDestination(destination("12", "ვაკე")).ok());
        ASSERT_EQ(*set->addVersion(released(*set, 1)), 1);
    }
    const QByteArray whole = fileBytes(path);
    auto reset = [&] {
        QFile f(path);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(whole) == whole.size();
    };

    // Objects of its own, in either schema.
    ASSERT_TRUE(reset());
    ASSERT_TRUE(runSql(path, {QStringLiteral("CREATE TRIGGER spy AFTER INSERT ON version_image BEGIN "
                                             "DELETE FROM image_text; END")}));
    auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.error().toStdString().find("trigger \"spy\""), std::string::npos) << opened.error().toStdString();
    const QString old = dir.filePath(QStringLiteral("old.vxset"));
    ASSERT_TRUE(makeVersion1(old));
    ASSERT_TRUE(runSql(old, {QStringLiteral("CREATE VIEW version AS SELECT 1")}));
    opened = DestinationSet::open(old, DestinationSet::Access::Edit);
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.error().toStdString().find("view \"version\""), std::string::npos) << opened.error().toStdString();

    // A stored image text that claims to grow to 2 GiB, or does not unpack.
    QByteArray liar = VersionTable::pack(QByteArray("1\r\n"));
    liar[0] = char(0x7f);
    EXPECT_FALSE(VersionTable::unpack(liar).ok());
    for (const QString& text : {QStringLiteral("X'7fffffff00'"), QStringLiteral("X'00000010789c'")}) {
        ASSERT_TRUE(reset());
        ASSERT_TRUE(runSql(path, {QStringLiteral("UPDATE image_text SET text = %1").arg(text)}));
        opened = DestinationSet::open(path, DestinationSet::Access::Read);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        const Expected<SetVersion> v = opened.value()->version(1);
        ASSERT_FALSE(v.ok());
        EXPECT_NE(v.error().toStdString().find("version 1: the image of 12 on front"), std::string::npos) << v.error().toStdString();
        EXPECT_TRUE(opened.value()->versions().ok()); // the list needs no image
    }
}

// A set of the step before the code keys, revisions and history: read as it
// is, brought up when opened for editing, its keys folded by the program;
// one whose codes fold alike is refused by name and left as it was.
TEST_F(SetVersionTest, ASetBeforeCodeKeysIsBroughtUpWithItsKeysFolded)
{
    auto makeVersion3 = [](const QString& file, const char* secondCode) {
        bool ok = true;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v3"));
            db.setDatabaseName(file);
            ok = db.open();
            for (int v = 0; v < 3 && ok; ++v)
                ok = SetSchema::step(db, v).ok();
            const QString statements[] = {
                QStringLiteral("PRAGMA user_version = 3"),
                QStringLiteral("INSERT INTO sign (name, width, height, layout) VALUES ('Front', 160, 19, '%1')")
                    .arg(QLatin1String(Layout)),
                QStringLiteral("INSERT INTO destination (code, route, destination_ka, destination_en, via_ka, via_en, "
                               "note, in_use, latin_suggested) VALUES ('ÄB', '12', 'ვაკე', '', '', '', '', 1, 0)"),
                QStringLiteral("INSERT INTO destination (code, route, destination_ka, destination_en, via_ka, via_en, "
                               "note, in_use, latin_suggested) VALUES ('%1', '37', 'დიდუბე', '', '', '', '', 1, 0)")
                    .arg(QString::fromUtf8(secondCode)),
            };
            for (const QString& sql : statements) {
                QSqlQuery query(db);
                ok = ok && query.exec(sql);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("v3"));
        return ok;
    };

    ASSERT_TRUE(makeVersion3(path, "37"));
    const QByteArray before = fileBytes(path);
    {
        auto read = DestinationSet::open(path, DestinationSet::Access::Read);
        ASSERT_TRUE(read.ok()) << read.error().toStdString();
        EXPECT_EQ(read.value()->destinations()->size(), 2u);
    }
    EXPECT_EQ(fileBytes(path), before);
    {
        auto edit = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(edit.ok()) << edit.error().toStdString();
        DestinationSet& set = *edit.value();
        // "äb" is "ÄB" by the program's folding, which SQLite's NOCASE is not.
        EXPECT_FALSE(set.addDestination(destination(QStringLiteral("äb"), QStringLiteral("x"))).ok());
        EXPECT_TRUE(set.removeDestination(QStringLiteral("äB")).ok());
        EXPECT_TRUE(set.updateSign(QStringLiteral("FRONT"), VehicleSign{QStringLiteral("front"), 160, 19, Layout}).ok());
        EXPECT_EQ(set.destinations()->front().revision, 1);
    }
    auto again = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(again.value()->history(QStringLiteral("ÄB"))->front().what, QStringLiteral("removed"));

    const QString clash = dir.filePath(QStringLiteral("clash.vxset"));
    ASSERT_TRUE(makeVersion3(clash, "äb"));
    const QByteArray clashBefore = fileBytes(clash);
    auto refused = DestinationSet::open(clash, DestinationSet::Access::Edit);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().toStdString().find("\"ÄB\" and \"äb\" differ only in case"), std::string::npos) << refused.error().toStdString();
    EXPECT_EQ(fileBytes(clash), clashBefore);
}
