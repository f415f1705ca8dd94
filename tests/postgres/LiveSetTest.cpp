// Several editors on one server set: each hears of the others' changes and
// reads those rows again, an open cell editor keeps its text, stale sign
// and image edits are refused, Edit by hand's file goes back into the set,
// and a lost connection says so and is made again on the next action.
#include "app/DestinationsWindow.h"
#include "sets/DestinationSet.h"
#include "store/SetEngine.h"
#include "sets/SetOnEngines.h"
#include "store/SetOwner.h"
#include "store/SetSchema.h"
#include "document/ImageFile.h"
#include "lettering/FontList.h"
#include "session/DestinationsModel.h"
#include "session/DestinationsSession.h"
#include "session/OverrideFiles.h"
#include "session/SetWatch.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace vexel;

namespace {

// Generous: the changes arrive well within a second on a local server.
constexpr int WaitMs = 5000;

const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

FontList::Places projectFonts()
{
    FontList::Places places;
    places.ledFontFolders << QStringLiteral(VEXEL_FONTS_DIR);
    places.systemFonts = false;
    return places;
}

Destination destination(const char* code, const char* ka)
{
    Destination d;
    d.code = d.route = QString::fromUtf8(code);
    d.destinationKa = QString::fromUtf8(ka);
    return d;
}


// The sets' connections of this test carry this name, so cutting them
// leaves the other tests on the cluster alone.
QString applicationName() { return QStringLiteral("vexel_live_%1").arg(QCoreApplication::applicationPid()); }

// What a server going away looks like to this test's editors.
bool cutEveryConnection()
{
    return set_test::asAdministrator({QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                   "application_name = '%1'")
                        .arg(applicationName())});
}

class LiveSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
        QStandardPaths::setTestModeEnabled(true);
        address = set_test::serverAddress(set_test::freshSetName()) + QStringLiteral("&application_name=") +
                  applicationName();
        auto made = DestinationSet::create(address, {VehicleSign{QStringLiteral("front"), 160, 19, Layout}});
        ASSERT_TRUE(made) << made.error().toStdString();
        ASSERT_TRUE((*made)->addDestination(destination("37", "დიდუბე")));
        ASSERT_TRUE((*made)->addDestination(destination("61", "გლდანი")));
    }
    void TearDown() override { DestinationSet::setStationName({}); }

    std::unique_ptr<DestinationsSession> open()
    {
        auto opened = DestinationsSession::open(address, fonts);
        EXPECT_TRUE(opened) << opened.error().toStdString();
        return opened ? std::move(opened).value() : nullptr;
    }

    static const Destination& row(const DestinationsSession& s, const char* code)
    {
        static const Destination none;
        const int r = s.rowOf(QString::fromUtf8(code));
        return r < 0 ? none : s.destinations()[static_cast<std::size_t>(r)];
    }

    QString address;
    FontList fonts{projectFonts()};
};

} // namespace

TEST_F(LiveSetTest, EveryKindOfChangeReachesTheOtherEditorsRows)
{
    auto mine = open();
    auto theirs = open();
    ASSERT_TRUE(mine && theirs);
    ASSERT_NE(theirs->watch(), nullptr);
    EXPECT_TRUE(theirs->watch()->listening()) << theirs->watch()->problem().toStdString();
    QSignalSpy heard(theirs.get(), &DestinationsSession::changedElsewhere);

    struct Step {
        const char* what;
        std::function<Status()> change;
        std::function<bool()> seen;
    };
    const Step steps[] = {
        {"an edit",
         [&] {
             Destination d = row(*mine, "37");
             d.destinationEn = QStringLiteral("Didube");
             return mine->update(mine->rowOf(QStringLiteral("37")), d);
         },
         [&] { return row(*theirs, "37").destinationEn == QStringLiteral("Didube"); }},
        {"a new destination", [&] { return mine->add(destination("80", "ვაკე")); },
         [&] { return theirs->rowOf(QStringLiteral("80")) >= 0; }},
        {"a removal", [&] { return mine->remove(mine->rowOf(QStringLiteral("61"))); },
         [&] { return theirs->rowOf(QStringLiteral("61")) < 0; }},
        {"an image by hand",
         [&] {
             const Expected<QString> file = mine->writeOverrideFile(mine->rowOf(QStringLiteral("37")), 0);
             return file ? mine->storeOverrideFile(QStringLiteral("front"), QStringLiteral("37"), *file) : file.status();
         },
         [&] { return theirs->overrideOf(QStringLiteral("37"), QStringLiteral("front")) != nullptr; }},
        {"the word lists",
         [&] {
             SetWords words = *mine->words();
             words.upperWords << QStringLiteral("TBS");
             return mine->setWords(words);
         },
         [&] { return theirs->words()->upperWords.contains(QStringLiteral("TBS")); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        const Status done = step.change();
        ASSERT_TRUE(done) << done.error().toStdString();
        QTRY_VERIFY_WITH_TIMEOUT(step.seen(), WaitMs);
    }
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.first().at(0).toStringList(), QStringList{QStringLiteral("37")});
    // The rows and their lettering are the set's, as a fresh reading has them.
    auto fresh = open();
    ASSERT_TRUE(fresh);
    ASSERT_EQ(theirs->destinations().size(), fresh->destinations().size());
    for (std::size_t r = 0; r < fresh->destinations().size(); ++r) {
        EXPECT_EQ(theirs->destinations()[r], fresh->destinations()[r]);
        EXPECT_EQ(theirs->destinations()[r].revision, fresh->destinations()[r].revision);
        EXPECT_EQ(theirs->image(static_cast<int>(r), 0).fit.fits, fresh->image(static_cast<int>(r), 0).fit.fits);
    }
}

TEST_F(LiveSetTest, TwoEditorsSavingTheWordListsKeepTheListsTheOtherChanged)
{
    auto mine = open();
    auto theirs = open();
    ASSERT_TRUE(mine && theirs);
    // Both dialogs open on the same lists; each operator changes another one.
    const SetWords mineRead = *mine->words();
    const SetWords theirsRead = *theirs->words();
    SetWords mineEdit = mineRead;
    mineEdit.upperWords << QStringLiteral("TBS");
    SetWords theirsEdit = theirsRead;
    theirsEdit.keepTogether << QStringLiteral("Penn Station");
    theirsEdit.upperWords.removeAll(QStringLiteral("JFK"));
    ASSERT_TRUE(mine->setWords(mineRead, mineEdit));
    ASSERT_TRUE(theirs->setWords(theirsRead, theirsEdit));

    auto fresh = open();
    ASSERT_TRUE(fresh);
    const SetWords kept = *fresh->words();
    EXPECT_TRUE(kept.keepTogether.contains(QStringLiteral("Penn Station")));
    // Both changed the capitals list: the later save is the list as its
    // operator left it.
    EXPECT_FALSE(kept.upperWords.contains(QStringLiteral("TBS")));
    EXPECT_FALSE(kept.upperWords.contains(QStringLiteral("JFK")));
    EXPECT_EQ(kept.serviceWords, mineRead.serviceWords);
}

TEST_F(LiveSetTest, ImageEditsFromAStaleReadingAreRefusedAndTheRowReloaded)
{
    auto mine = open();
    auto theirs = open();
    ASSERT_TRUE(mine && theirs);
    const Expected<QString> file = theirs->writeOverrideFile(theirs->rowOf(QStringLiteral("37")), 0);
    ASSERT_TRUE(file) << file.error().toStdString();

    // Stored by another editor before this one has heard of it.
    DestinationSet::setStationName(QStringLiteral("depot-2"));
    const Expected<QString> other = mine->writeOverrideFile(mine->rowOf(QStringLiteral("37")), 0);
    ASSERT_TRUE(other) << other.error().toStdString();
    ASSERT_TRUE(mine->storeOverrideFile(QStringLiteral("front"), QStringLiteral("37"), *other));
    DestinationSet::setStationName(QStringLiteral("depot-1"));

    // Each made before this editor has heard of the other's change.
    const std::pair<const char*, std::function<Status()>> stale[] = {
        {"stored", [&] { return theirs->storeOverrideFile(QStringLiteral("front"), QStringLiteral("37"), *file); }},
        {"removed", [&] { return theirs->removeOverride(theirs->rowOf(QStringLiteral("37")), 0); }},
    };
    for (const auto& [what, edit] : stale) {
        SCOPED_TRACE(what);
        const Status refused = edit();
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().toStdString().find("The image of 37 on front was changed from depot-2 at "), std::string::npos)
            << refused.error().toStdString();
        EXPECT_NE(refused.error().toStdString().find("it has been reloaded"), std::string::npos) << refused.error().toStdString();
        // Reloaded: the image shown is the other editor's.
        const SignOverride* shown = theirs->overrideOf(QStringLiteral("37"), QStringLiteral("front"));
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->revision, (*mine->set().overrides())[0].revision);
        // The other editor changes the image again.
        DestinationSet::setStationName(QStringLiteral("depot-2"));
        ASSERT_TRUE(mine->storeOverrideFile(QStringLiteral("front"), QStringLiteral("37"), *other));
        DestinationSet::setStationName(QStringLiteral("depot-1"));
    }
    // Once heard of, the change goes through.
    QTRY_COMPARE_WITH_TIMEOUT(theirs->overrideOf(QStringLiteral("37"), QStringLiteral("front"))->revision,
                              qint64(3), WaitMs);
    EXPECT_TRUE(theirs->removeOverride(theirs->rowOf(QStringLiteral("37")), 0));
}

TEST_F(LiveSetTest, EditByHandsFileIsKeptPerSetAndItsSaveReachesTheSet)
{
    auto mine = open();
    auto theirs = open();
    ASSERT_TRUE(mine && theirs);
    const Expected<QString> file = mine->writeOverrideFile(mine->rowOf(QStringLiteral("61")), 0);
    ASSERT_TRUE(file) << file.error().toStdString();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    EXPECT_TRUE(file->startsWith(data + QStringLiteral("/server sets/"))) << file->toStdString();
    EXPECT_TRUE(file->endsWith(QStringLiteral("/front/61.img"))) << file->toStdString();
    EXPECT_FALSE(file->contains(QStringLiteral("n0t-shown")));
    EXPECT_EQ(OverrideFiles::path(address, QStringLiteral("front"), QStringLiteral("61")), *file);
    // Nor is the address a folder to release into.
    EXPECT_EQ(mine->defaultReleaseFolder(),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/') +
                  mine->set().serverSetName() + QStringLiteral(" release"));
    // Another set on the same server has a folder of its own.
    EXPECT_NE(OverrideFiles::serverFolder(set_test::serverAddress(QStringLiteral("other"))),
              OverrideFiles::serverFolder(address));

    const std::optional<OverrideFiles::Target> target = OverrideFiles::target(*file);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->setPath, mine->set().path());
    EXPECT_EQ(target->sign, QStringLiteral("front"));
    EXPECT_EQ(target->code, QStringLiteral("61"));

    // Drawn on in the editor and saved: stored through the window's session,
    // or, with none open, by opening the set for the moment.
    const ImageRecord drawn = *ImageFile::parse(testing_support::randomImageText(1, 160, 19, 7));
    ASSERT_TRUE(ImageFile::write(*file, drawn));
    OverrideLink link;
    link.attach(mine.get());
    const std::optional<Status> stored = link.imageSaved(*file);
    ASSERT_TRUE(stored.has_value());
    ASSERT_TRUE(*stored) << stored->error().toStdString();
    QTRY_VERIFY_WITH_TIMEOUT(theirs->overrideOf(QStringLiteral("61"), QStringLiteral("front")) != nullptr, WaitMs);
    EXPECT_EQ(theirs->overrideOf(QStringLiteral("61"), QStringLiteral("front"))->image, drawn);

    const ImageRecord again = *ImageFile::parse(testing_support::randomImageText(1, 160, 19, 8));
    ASSERT_TRUE(ImageFile::write(*file, again));
    mine.reset();
    const std::optional<Status> alone = OverrideLink().imageSaved(*file);
    ASSERT_TRUE(alone.has_value());
    ASSERT_TRUE(*alone) << alone->error().toStdString();
    QTRY_VERIFY_WITH_TIMEOUT(theirs->overrideOf(QStringLiteral("61"), QStringLiteral("front"))->image == again, WaitMs);

    // A folder that claims a set it is not the folder of is nobody's.
    QFile forged(QFileInfo(*file).absolutePath() + QStringLiteral("/../set-address.txt"));
    ASSERT_TRUE(forged.open(QIODevice::WriteOnly));
    forged.write(set_test::serverAddress(QStringLiteral("other")).toUtf8());
    forged.close();
    EXPECT_FALSE(OverrideFiles::target(*file).has_value());
}

TEST_F(LiveSetTest, ALostConnectionIsSaidAndTheNextActionConnectsAgain)
{
    auto mine = open();
    ASSERT_TRUE(mine);
    QSignalSpy connection(mine.get(), &DestinationsSession::connectionChanged);
    ASSERT_TRUE(cutEveryConnection());

    // The first action finds the server gone and says so ...
    Destination d = row(*mine, "37");
    d.note = QStringLiteral("first");
    const Status failed = mine->update(mine->rowOf(QStringLiteral("37")), d);
    EXPECT_FALSE(failed);
    EXPECT_NE(failed.error().toStdString().find("the next action connects again"), std::string::npos) << failed.error().toStdString();
    EXPECT_FALSE(mine->connectionProblem().isEmpty());
    EXPECT_EQ(mine->connectionProblem().indexOf(QStringLiteral("n0t-shown")), -1);
    EXPECT_GE(connection.count(), 1);

    // ... and the next one connects again, reads the set and is stored.
    d.note = QStringLiteral("second");
    const Status stored = mine->update(mine->rowOf(QStringLiteral("37")), d);
    ASSERT_TRUE(stored) << stored.error().toStdString();
    EXPECT_TRUE(mine->connectionProblem().isEmpty());
    auto fresh = open();
    EXPECT_EQ(row(*fresh, "37").note, QStringLiteral("second"));

    // The watch notices on its own, and hears changes again once back.
    QSignalSpy lost(mine->watch(), &SetWatch::lost);
    ASSERT_TRUE(cutEveryConnection());
    mine->watch()->check();
    EXPECT_EQ(lost.count(), 1);
    EXPECT_FALSE(mine->connectionProblem().isEmpty());
    mine->watch()->check();
    QTRY_VERIFY_WITH_TIMEOUT(mine->connectionProblem().isEmpty(), WaitMs);
    auto other = open();
    Destination elsewhere = row(*other, "61");
    elsewhere.note = QStringLiteral("after the cut");
    ASSERT_TRUE(other->update(other->rowOf(QStringLiteral("61")), elsewhere));
    QTRY_COMPARE_WITH_TIMEOUT(row(*mine, "61").note, QStringLiteral("after the cut"), WaitMs);
}

TEST_F(LiveSetTest, AnOlderSetOrAUserWhoMayNotChangeItOpensReadOnlyOrIsToldWhy)
{
    // A set of version 4, as an older Vexel Image made it.
    const QString old = set_test::freshSetName();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("older"));
        db.setHostName(qEnvironmentVariable("VEXEL_TEST_PGHOST"));
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        ASSERT_TRUE(db.open());
        Status made = SetSchema::run(db, QStringLiteral("CREATE SCHEMA ") + old);
        if (made)
            made = SetSchema::run(db, QStringLiteral("SET search_path TO ") + old);
        for (int v = 0; v < 4 && made; ++v)
            made = SetSchema::step(db, v);
        if (made)
            made = SetEngine::server().setVersion(db, 4);
        EXPECT_TRUE(made) << made.error().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("older"));

    const QString viewer = QStringLiteral("viewer_%1").arg(QCoreApplication::applicationPid());
    const QString current = address.section(QStringLiteral("set="), 1).section(QLatin1Char('&'), 0, 0);
    QString failure;
    ASSERT_TRUE(set_test::asAdministrator({QStringLiteral("CREATE ROLE %1 LOGIN").arg(viewer),
                         QStringLiteral("GRANT USAGE ON SCHEMA %1, %2 TO %3").arg(old, current, viewer),
                         QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO %2").arg(old, viewer),
                         QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA %1 TO %2").arg(current, viewer)},
                        &failure))
        << failure.toStdString();
    auto as = [&](const QString& user, const QString& set) {
        return QStringLiteral("postgresql://%1@/postgres?host=%2&set=%3&application_name=%4")
            .arg(user, qEnvironmentVariable("VEXEL_TEST_PGHOST"), set, applicationName());
    };

    // A reader may use a set of this version, read-only, with the reason.
    auto reader = DestinationsSession::open(as(viewer, current), fonts);
    ASSERT_TRUE(reader) << reader.error().toStdString();
    EXPECT_TRUE((*reader)->readOnly());
    EXPECT_TRUE((*reader)->readOnlyReason().contains(QStringLiteral("may not change this set")))
        << (*reader)->readOnlyReason().toStdString();
    EXPECT_EQ((*reader)->destinations().size(), 2u);

    // An older set read-only cannot be brought up, and the message says
    // what to do; opened for editing once, it is brought up.
    const std::pair<QString, DestinationSet::Access> refused[] = {
        {as(viewer, old), DestinationSet::Access::EditOrRead},
        {as(QStringLiteral("postgres"), old), DestinationSet::Access::Read},
    };
    for (const auto& [where, access] : refused) {
        const auto opened = DestinationSet::open(where, access);
        ASSERT_FALSE(opened);
        EXPECT_NE(opened.error().toStdString().find("is of set version 4, older than this Vexel Image's"), std::string::npos)
            << opened.error().toStdString();
        EXPECT_NE(opened.error().toStdString().find("open it once for editing, as a user who may change it"), std::string::npos)
            << opened.error().toStdString();
    }
    // Made by a role that owns it, as an older Vexel Image made sets, it is
    // only read until it is brought under vexel_owner (as vexel db init does).
    const auto owned = DestinationSet::open(as(QStringLiteral("postgres"), old), DestinationSet::Access::Edit);
    ASSERT_FALSE(owned);
    EXPECT_NE(owned.error().toStdString().find("belongs to postgres rather than vexel_owner"), std::string::npos)
        << owned.error().toStdString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("adopt"));
        db.setHostName(qEnvironmentVariable("VEXEL_TEST_PGHOST"));
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        ASSERT_TRUE(db.open() && db.transaction());
        const Expected<bool> adopted = SetOwner::adopt(db, old);
        EXPECT_TRUE(adopted && *adopted) << adopted.error().toStdString();
        EXPECT_TRUE(db.commit());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("adopt"));
    EXPECT_TRUE(DestinationSet::open(as(QStringLiteral("postgres"), old), DestinationSet::Access::Edit));
    EXPECT_TRUE(DestinationSet::open(as(QStringLiteral("postgres"), old), DestinationSet::Access::Read));
}

TEST_F(LiveSetTest, TheWindowUpdatesItsRowsButKeepsTheCellBeingEdited)
{
    ScriptedPrompter prompter;
    DestinationsWindow window(prompter);
    ASSERT_TRUE(window.openSet(address));
    window.show();
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("set=")));
    EXPECT_FALSE(window.windowTitle().contains(QStringLiteral("n0t-shown")));
    auto theirs = open();
    ASSERT_TRUE(theirs);

    auto* table = window.findChild<QTableView*>(QStringLiteral("Destinations_Table"));
    ASSERT_NE(table, nullptr);
    DestinationsSession& session = *window.session();
    auto cell = [&](const char* code, int column) {
        return session.sorted().mapFromSource(session.model().index(session.rowOf(QString::fromUtf8(code)), column));
    };
    const QModelIndex note = cell("37", DestinationsModel::Note);
    table->setCurrentIndex(note);
    table->edit(note);
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(table->indexWidget(note));
    if (!editor)
        editor = table->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("typed here"));

    Destination elsewhere = row(*theirs, "37");
    elsewhere.destinationEn = QStringLiteral("Didube");
    elsewhere.note = QStringLiteral("their note");
    ASSERT_TRUE(theirs->update(theirs->rowOf(QStringLiteral("37")), elsewhere));
    QTRY_COMPARE_WITH_TIMEOUT(cell("37", DestinationsModel::DestinationEn).data().toString(), QStringLiteral("Didube"),
                              WaitMs);
    auto* live = window.findChild<QLabel*>(QStringLiteral("Live_Label"));
    ASSERT_NE(live, nullptr);
    EXPECT_TRUE(live->isVisibleTo(&window));
    EXPECT_TRUE(live->text().contains(QStringLiteral("37")));
    ASSERT_TRUE(editor) << "the editor stays open";
    EXPECT_EQ(editor->text(), QStringLiteral("typed here"));

    // Committed, it is the operator's note over the row as it is now.
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits on the next turn
    EXPECT_TRUE(prompter.texts(QStringLiteral("error")).isEmpty()) << prompter.texts(QStringLiteral("error")).join('\n').toStdString();
    auto fresh = open();
    EXPECT_EQ(row(*fresh, "37").note, QStringLiteral("typed here"));
    EXPECT_EQ(row(*fresh, "37").destinationEn, QStringLiteral("Didube"));

    // An edit from a row changed before the window heard of it is refused.
    DestinationSet::setStationName(QStringLiteral("depot-2"));
    Destination first = row(*theirs, "61");
    first.note = QStringLiteral("depot 2 was first");
    ASSERT_TRUE(theirs->update(theirs->rowOf(QStringLiteral("61")), first));
    EXPECT_FALSE(session.model().setData(session.model().index(session.rowOf(QStringLiteral("61")), DestinationsModel::Note),
                                         QStringLiteral("too late")));
    ASSERT_EQ(prompter.count(QStringLiteral("error")), 1);
    EXPECT_TRUE(prompter.texts(QStringLiteral("error"))[0].startsWith(QStringLiteral("61 was changed from depot-2 at ")))
        << prompter.texts(QStringLiteral("error"))[0].toStdString();
    EXPECT_EQ(row(session, "61").note, QStringLiteral("depot 2 was first"));

    // A server gone is said in the window until the next action.
    ASSERT_TRUE(cutEveryConnection());
    session.watch()->check();
    auto* connection = window.findChild<QLabel*>(QStringLiteral("Connection_Label"));
    ASSERT_NE(connection, nullptr);
    EXPECT_TRUE(connection->isVisibleTo(&window));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("(not connected)")));
    Destination later = row(session, "61");
    later.note = QStringLiteral("after");
    ASSERT_TRUE(session.update(session.rowOf(QStringLiteral("61")), later));
    EXPECT_FALSE(connection->isVisibleTo(&window));
    EXPECT_FALSE(window.windowTitle().endsWith(QStringLiteral("(not connected)")));
}
