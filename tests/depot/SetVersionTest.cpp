// Versions of a destination set: kept, listed, read back byte for byte,
// compared and restored; a set of the first schema read as it is and brought
// up when opened for editing; stored versions of a hostile file refused.
#include "depot/DestinationSet.h"
#include "depot/SetSchema.h"
#include "depot/VersionDiff.h"
#include "depot/VersionTable.h"
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
        EXPECT_TRUE(made.ok()) << made.error();
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
        ASSERT_TRUE(read.ok()) << read.error();
        ASSERT_EQ(read.value()->destinations()->size(), 2u);
        EXPECT_TRUE(read.value()->versions()->empty());
        EXPECT_FALSE(read.value()->version(1).ok());
    }
    EXPECT_EQ(fileBytes(path), before) << "a read-only opening changed the file";

    {
        auto edit = DestinationSet::open(path, DestinationSet::Access::Edit);
        ASSERT_TRUE(edit.ok()) << edit.error();
        DestinationSet& set = *edit.value();
        const auto kept = *set.destinations();
        ASSERT_EQ(kept.size(), 2u);
        EXPECT_EQ(kept[1].note, QStringLiteral("night"));
        EXPECT_FALSE(kept[1].inUse);
        const Expected<int> first = set.addVersion(released(set, 1));
        ASSERT_TRUE(first.ok()) << first.error();
        EXPECT_EQ(*first, 1);
    }
    // Reopened as the new schema, every check passes and the version is there.
    auto again = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(again.ok()) << again.error();
    EXPECT_EQ(again.value()->versions()->size(), 1u);
    EXPECT_EQ(again.value()->words()->viaSeparators, QStringList{QStringLiteral(" via ")});
    EXPECT_EQ(again.value()->signs()->front().pitchMm, 0.0);
}

TEST_F(SetVersionTest, VersionsAreKeptListedAndRestored)
{
    auto set = make();
    ASSERT_TRUE(set);
    ASSERT_TRUE(set->addDestination(destination("12", "ვაკე", "Vake")).ok());
    ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());
    SignOverride hand{QStringLiteral("37"), QStringLiteral("rear"), image(28, 16, 99), destination("37", "დიდუბე")};
    ASSERT_TRUE(set->storeOverride(hand).ok());
    ASSERT_TRUE(set->apply({destination("12", "ვაკე", "Vake")}, {}, QStringLiteral("feed-2026-03")).ok());

    const SetVersion first = released(*set, 1, QStringLiteral("spring"));
    ASSERT_EQ(*set->addVersion(first), 1);

    // The next step comes from a feed without a version: the last one stays.
    ASSERT_TRUE(set->apply({destination("12", "ვაკე-საბურთალო", "Vake")}, {QStringLiteral("37")}, {}).ok());
    ASSERT_TRUE(set->addDestination(destination("61", "გლდანი")).ok());
    SetVersion second = released(*set, 2, QStringLiteral("summer"));
    ASSERT_EQ(*set->addVersion(second), 2);

    const auto list = set->versions();
    ASSERT_TRUE(list.ok()) << list.error();
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].note, QStringLiteral("spring"));
    EXPECT_EQ((*list)[1].feedVersion, QStringLiteral("feed-2026-03"));
    EXPECT_TRUE((*list)[1].images.empty());
    EXPECT_EQ((*list)[1].imageCount, 4);
    EXPECT_EQ((*list)[1].added, 1);   // 61
    EXPECT_EQ((*list)[1].changed, 1); // 12's text and images
    EXPECT_EQ((*list)[1].removed, 1); // 37
    EXPECT_TRUE((*list)[0].time.isValid());

    // Every image comes back as the file it was, byte for byte.
    const Expected<SetVersion> back = set->version(1);
    ASSERT_TRUE(back.ok()) << back.error();
    ASSERT_EQ(back->images.size(), first.images.size());
    for (std::size_t i = 0; i < first.images.size(); ++i) {
        EXPECT_EQ(back->images[i].sign, first.images[i].sign);
        EXPECT_EQ(back->images[i].code, first.images[i].code);
        EXPECT_EQ(back->images[i].image.text(), first.images[i].image.text());
    }
    ASSERT_EQ(back->overrides.size(), 1u);
    EXPECT_EQ(back->overrides[0].image, hand.image);
    EXPECT_FALSE(set->version(3).ok());

    // Restoring 1 brings back its destinations and override as a change of
    // the set; 61, which it did not have, stays out of use; both versions stay.
    ASSERT_TRUE(set->restoreVersion(1).ok());
    std::vector<Destination> now = *set->destinations();
    ASSERT_EQ(now.size(), 3u);
    EXPECT_EQ(now[2].code, QStringLiteral("61"));
    EXPECT_FALSE(now[2].inUse);
    now.pop_back();
    EXPECT_EQ(now, first.destinations);
    ASSERT_EQ(set->overrides()->size(), 1u);
    EXPECT_EQ((*set->overrides())[0].image, hand.image);
    EXPECT_EQ(set->versions()->size(), 2u);
    ASSERT_TRUE(set->removeDestination(QStringLiteral("61")).ok());
    const Expected<int> third = set->addVersion(released(*set, 1));
    ASSERT_EQ(*third, 3);
    EXPECT_TRUE(set->compareVersions(1, 3)->isEmpty());
    EXPECT_EQ(set->compareVersions(2, 3)->changes.size(), 3u);

    // A read-only set changes nothing.
    set.reset();
    auto read = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(read.ok());
    EXPECT_FALSE(read.value()->addVersion(first).ok());
    EXPECT_FALSE(read.value()->restoreVersion(2).ok());
}

TEST_F(SetVersionTest, TwoVersionsCompareByDestinationAndSign)
{
    SetVersion a;
    a.number = 1;
    a.destinations = {destination("12", "ვაკე"), destination("37", "დიდუბე"), destination("61", "გლდანი")};
    SetVersion b = a;
    b.number = 2;
    b.destinations[0].destinationKa = QStringLiteral("ვაკე-2");
    b.destinations.erase(b.destinations.begin() + 1);
    b.destinations.push_back(destination("90", "", "Airport"));
    for (const Destination& d : a.destinations)
        for (const char* sign : {"front", "rear"})
            a.images.push_back({QLatin1String(sign), d.code, image(28, 16, qHash(d.code))});
    for (const Destination& d : b.destinations)
        for (const char* sign : {"front", "rear"})
            b.images.push_back({QLatin1String(sign), d.code, image(28, 16, qHash(d.code))});
    b.images[3].image = image(28, 16, 7); // 61 on the rear, texts the same

    const VersionDiff diff = diffVersions(a, b);
    ASSERT_EQ(diff.changes.size(), 4u);
    EXPECT_EQ(diff.count(VersionChange::Kind::Added), 1);
    EXPECT_EQ(diff.count(VersionChange::Kind::Removed), 1);
    const VersionChange& renamed = diff.changes[0];
    EXPECT_EQ(renamed.code, QStringLiteral("12"));
    ASSERT_EQ(renamed.texts.size(), 1u);
    EXPECT_EQ(renamed.texts[0].field, QStringLiteral("destination_ka"));
    const VersionChange& redrawn = diff.changes[1];
    EXPECT_EQ(redrawn.code, QStringLiteral("61"));
    EXPECT_TRUE(redrawn.texts.empty());
    ASSERT_EQ(redrawn.images.size(), 1u);
    EXPECT_EQ(redrawn.images[0].sign, QStringLiteral("rear"));
    EXPECT_EQ(diff.changes[3].images.size(), 2u); // 37 gone from both signs
    EXPECT_FALSE(diff.changes[3].images[0].after.has_value());

    const QStringList lines = versionDiffLines(diff);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("~ 61: signs rear"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("+ 90 "))) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("- 37 "))) << lines[3].toStdString();
    EXPECT_TRUE(diffVersions(a, a).isEmpty());
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
    EXPECT_NE(opened.error().find("trigger \"spy\""), std::string::npos) << opened.error();
    const QString old = dir.filePath(QStringLiteral("old.vxset"));
    ASSERT_TRUE(makeVersion1(old));
    ASSERT_TRUE(runSql(old, {QStringLiteral("CREATE VIEW version AS SELECT 1")}));
    opened = DestinationSet::open(old, DestinationSet::Access::Edit);
    ASSERT_FALSE(opened.ok());
    EXPECT_NE(opened.error().find("view \"version\""), std::string::npos) << opened.error();

    // A stored image text that claims to grow to 2 GiB, or does not unpack.
    QByteArray liar = VersionTable::pack(QByteArray("1\r\n"));
    liar[0] = char(0x7f);
    EXPECT_FALSE(VersionTable::unpack(liar).ok());
    for (const QString& text : {QStringLiteral("X'7fffffff00'"), QStringLiteral("X'00000010789c'")}) {
        ASSERT_TRUE(reset());
        ASSERT_TRUE(runSql(path, {QStringLiteral("UPDATE image_text SET text = %1").arg(text)}));
        opened = DestinationSet::open(path, DestinationSet::Access::Read);
        ASSERT_TRUE(opened.ok()) << opened.error();
        const Expected<SetVersion> v = opened.value()->version(1);
        ASSERT_FALSE(v.ok());
        EXPECT_NE(v.error().find("version 1: the image of 12 on front"), std::string::npos) << v.error();
        EXPECT_TRUE(opened.value()->versions().ok()); // the list needs no image
    }
}
