// Destination sets: made, changed and read back; every file that is not a
// sound set refused with its name and the reason; the lock of an editor.
#include "depot/DestinationSet.h"
#include "depot/SetSchema.h"
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
        EXPECT_TRUE(made.ok()) << made.error();
        return made ? std::move(made).value() : nullptr;
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(DestinationSetTest, ChangesAreKeptAcrossReopening)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        EXPECT_FALSE(set->readOnly());
        ASSERT_TRUE(set->addDestination(destination("12", "აეროპორტი", "Airport", "ვაკე")).ok());
        ASSERT_TRUE(set->addDestination(destination("12R", "", "Didube")).ok()); // Latin only
        ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());
        Destination renamed = destination("61", "გლდანი");
        renamed.note = QStringLiteral("night only");
        renamed.inUse = false;
        ASSERT_TRUE(set->updateDestination(QStringLiteral("37"), renamed).ok());
        ASSERT_TRUE(set->removeDestination(QStringLiteral("12R")).ok());

        SignOverride image;
        image.code = QStringLiteral("12");
        image.sign = QStringLiteral("rear");
        image.image = *ImageFile::parse(testing_support::blankImageText(28, 16));
        image.madeFrom = destination("12", "აეროპორტი", "Airport", "ვაკე");
        ASSERT_TRUE(set->storeOverride(image).ok());
        // Codes and sign names name files: "12r" is "12R" on Windows.
        EXPECT_FALSE(set->addDestination(destination("61", "x")).ok());
        EXPECT_FALSE(set->addDestination(destination("12r", "x")).ok() &&
                     set->addDestination(destination("12R", "y")).ok());
    }
    auto reopened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(reopened.ok()) << reopened.error();
    const DestinationSet& set = *reopened.value();
    EXPECT_TRUE(set.readOnly());
    const std::vector<Destination> all = *set.destinations();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], destination("12", "აეროპორტი", "Airport", "ვაკე"));
    EXPECT_EQ(all[1].code, QStringLiteral("61"));
    EXPECT_EQ(all[1].note, QStringLiteral("night only"));
    EXPECT_FALSE(all[1].inUse);
    EXPECT_EQ(all[2].code, QStringLiteral("12r"));

    const std::vector<VehicleSign> signs = *set.signs();
    ASSERT_EQ(signs.size(), 2u);
    EXPECT_EQ(signs[0].name, QStringLiteral("front"));
    EXPECT_EQ(signs[1].width, 28);
    EXPECT_EQ(signs[1].routeLayout()->boardWidth, 28);

    const std::vector<SignOverride> images = *set.overrides();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].image, *ImageFile::parse(testing_support::blankImageText(28, 16)));
    EXPECT_FALSE(images[0].staleFor(all[0]));
    Destination edited = all[0];
    edited.viaKa = QStringLiteral("საბურთალო");
    EXPECT_TRUE(images[0].staleFor(edited));
    edited = all[0];
    edited.note = QStringLiteral("a note is no text of the sign");
    EXPECT_FALSE(images[0].staleFor(edited));
}

TEST_F(DestinationSetTest, MergeReportsAndIsAllOrNothing)
{
    auto set = make();
    ASSERT_TRUE(set);
    Destination kept = destination("12", "აეროპორტი", "Airport");
    kept.note = QStringLiteral("kept");
    ASSERT_TRUE(set->addDestination(kept).ok());
    ASSERT_TRUE(set->addDestination(destination("37", "დიდუბე")).ok());

    const auto report = set->merge({destination("12", "აეროპორტი", "Airport"), destination("37", "დიდუბე", "Didube"),
                                     destination("88", "ვარკეთილი")});
    ASSERT_TRUE(report.ok()) << report.error();
    EXPECT_EQ(report->added, QStringList{QStringLiteral("88")});
    EXPECT_EQ(report->changed, QStringList{QStringLiteral("37")});
    EXPECT_EQ(report->unchanged, QStringList{QStringLiteral("12")});
    EXPECT_EQ(set->destinations()->front().note, QStringLiteral("kept"));

    // A destination without text part-way: nothing of the merge is kept.
    const auto refused = set->merge({destination("90", "ა"), destination("91", "", ""), destination("92", "ბ")});
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("destination 91 has no destination text"), std::string::npos) << refused.error();
    EXPECT_EQ(set->destinations()->size(), 3u);
}

TEST_F(DestinationSetTest, BadValuesAreRefusedWithTheReason)
{
    auto set = make();
    ASSERT_TRUE(set);
    const std::pair<Destination, const char*> destinations[] = {
        {destination("", "ა"), "the code is empty"},
        {destination("../x", "ა"), "a file name cannot hold"},
        {destination("-rf", "ა"), "begins with \"-\""},
        {destination("lpt1.img", "ა"), "a device"},
        {destination("7", " ", ""), "no destination text"},
    };
    for (const auto& [d, reason] : destinations) {
        const Status added = set->addDestination(d);
        ASSERT_FALSE(added.ok()) << reason;
        EXPECT_NE(added.error().find(reason), std::string::npos) << added.error();
        EXPECT_EQ(added.error().rfind("Cannot change destination set \"", 0), 0u) << added.error();
    }
    const std::pair<VehicleSign, const char*> signs[] = {
        {sign("big", 489, 19), "not a board size"},
        {sign("flat", 96, 0), "not a board size"},
        {sign("nul", 96, 24), "a device"},
        {sign("odd", 96, 24, "{ \"frames\": 3 }"), "frames: must be a list"},
        {sign("other", 96, 24, R"({ "board": { "width": 128, "height": 24 }, "frames": [] })"), "not the sign's size"},
        {sign("Front", 96, 24), "is there already"},
    };
    for (const auto& [s, reason] : signs) {
        const Status added = set->addSign(s);
        ASSERT_FALSE(added.ok()) << reason;
        EXPECT_NE(added.error().find(reason), std::string::npos) << added.error();
    }
    // An override bigger than its sign, and a sign made too small for one.
    ASSERT_TRUE(set->addDestination(destination("12", "ა")).ok());
    SignOverride image{QStringLiteral("12"), QStringLiteral("rear"),
                       *ImageFile::parse(testing_support::blankImageText(96, 24)), destination("12", "ა")};
    EXPECT_FALSE(set->storeOverride(image).ok());
    image.sign = QStringLiteral("front");
    image.image = *ImageFile::parse(testing_support::blankImageText(160, 19));
    ASSERT_TRUE(set->storeOverride(image).ok());
    EXPECT_FALSE(set->updateSign(QStringLiteral("front"), sign("front", 96, 19)).ok());
    EXPECT_EQ(set->signs()->front().width, 160);
    ASSERT_TRUE(set->removeSign(QStringLiteral("front")).ok());
    EXPECT_TRUE(set->overrides()->empty());
}

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
             return tamper(p, {QStringLiteral("PRAGMA user_version = 5")});
         },
         "written by a newer Vexel Image (set version 5; this one reads up to 4)"},
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
            EXPECT_EQ(opened.error().rfind(expected, 0), 0u) << opened.error();
            EXPECT_NE(opened.error().find(c.reason), std::string::npos) << opened.error();
        }
        // Refusing changes nothing, and leaves no lock behind.
        EXPECT_FALSE(QFile::exists(DestinationSet::lockPath(file))) << c.name;
    }
    // A row made by hand that no set would hold is refused when read.
    ASSERT_TRUE(tamper(path, {QStringLiteral("UPDATE destination SET code = '..' WHERE code = '12'")}));
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(opened.ok()) << opened.error();
    const auto read = opened.value()->destinations();
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().find("destination row 1: \"..\" cannot name a file"), std::string::npos) << read.error();
}

TEST_F(DestinationSetTest, ASecondEditorGetsTheSetReadOnlyOrIsRefused)
{
    auto first = make();
    ASSERT_TRUE(first);
    EXPECT_TRUE(QFile::exists(DestinationSet::lockPath(path)));

    const auto refused = DestinationSet::open(path, DestinationSet::Access::Edit);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().find("it is open for editing in"), std::string::npos) << refused.error();
    EXPECT_NE(refused.error().find(std::to_string(::getpid())), std::string::npos) << refused.error();

    auto second = DestinationSet::open(path, DestinationSet::Access::EditOrRead);
    ASSERT_TRUE(second.ok()) << second.error();
    EXPECT_TRUE(second.value()->readOnly());
    EXPECT_TRUE(second.value()->readOnlyReason().contains(QStringLiteral("opened read-only")));
    const Status change = second.value()->addDestination(destination("12", "ა"));
    ASSERT_FALSE(change.ok());
    EXPECT_NE(change.error().find("it is open for editing in"), std::string::npos) << change.error();

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
    ASSERT_TRUE(opened.ok()) << opened.error();
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
    ASSERT_TRUE(opened.ok()) << opened.error();
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
    ASSERT_TRUE(read.ok()) << read.error();
    EXPECT_EQ(read.value()->destinations()->size(), 0u);
}

TEST_F(DestinationSetTest, CreateRefusesAnExistingFileAndLeavesNothingOnFailure)
{
    testing_support::writeAll(path, "mine");
    const auto exists = DestinationSet::create(path, {sign("front", 160, 19)});
    ASSERT_FALSE(exists.ok());
    EXPECT_NE(exists.error().find("the file exists already"), std::string::npos);
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
        EXPECT_NE(added.error().find(reason), std::string::npos) << added.error();
        const Status updated = set->updateDestination(QString::fromUtf8(c.name), over);
        ASSERT_FALSE(updated.ok()) << c.name;
        EXPECT_NE(updated.error().find(reason), std::string::npos) << updated.error();
    }
    set.reset();

    // A stored row made longer behind the set's back.
    ASSERT_TRUE(tamper(path, {QStringLiteral("UPDATE destination SET via_en = via_en || 'x' WHERE code = 'via_en'")}));
    const auto opened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(opened.ok()) << opened.error();
    const auto read = opened.value()->destinations();
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().find("destination via_en: via_en" + tooLong), std::string::npos) << read.error();
}

TEST_F(DestinationSetTest, WordListsAndSignPitchAreKeptAndCheckedAsRead)
{
    {
        auto set = make();
        ASSERT_TRUE(set);
        const Expected<SetWords> fresh = set->words();
        ASSERT_TRUE(fresh.ok()) << fresh.error();
        EXPECT_EQ(fresh->viaSeparators, QStringList{QStringLiteral(" via ")});

        SetWords words;
        words.abbreviations = {{QStringLiteral("en"), QStringLiteral("Avenue"), QStringLiteral("Av")},
                               {QStringLiteral("ka"), QStringLiteral("გამზირი"), QStringLiteral("გამზ.")}};
        words.upperWords = {QStringLiteral("SBS"), QStringLiteral("JFK")};
        words.viaSeparators = {QStringLiteral(" via "), QStringLiteral(" - ")};
        ASSERT_TRUE(set->setWords(words).ok());

        SetWords twice = words;
        twice.abbreviations.push_back(twice.abbreviations.front());
        SetWords script = words;
        script.abbreviations.front().script = QStringLiteral("ru");
        SetWords empty = words;
        empty.upperWords.append(QString());
        for (const SetWords& bad : {twice, script, empty})
            EXPECT_FALSE(set->setWords(bad).ok());
        EXPECT_EQ(*set->words(), words);

        VehicleSign front = sign("front", 160, 19);
        front.pitchMm = 8;
        front.place = QStringLiteral("front");
        ASSERT_TRUE(set->updateSign(QStringLiteral("front"), front).ok());
        VehicleSign bad = front;
        bad.place = QStringLiteral("roof");
        EXPECT_NE(set->updateSign(QStringLiteral("front"), bad).error().find("not one of front, side"),
                  std::string::npos);
        bad = front;
        bad.pitchMm = -1;
        EXPECT_FALSE(set->updateSign(QStringLiteral("front"), bad).ok());
    }
    auto reopened = DestinationSet::open(path, DestinationSet::Access::Read);
    ASSERT_TRUE(reopened.ok()) << reopened.error();
    EXPECT_EQ(reopened.value()->words()->upperWords.size(), 2);
    EXPECT_EQ(reopened.value()->signs()->front().pitchMm, 8.0);
    EXPECT_EQ(reopened.value()->signs()->front().place, QStringLiteral("front"));
}
