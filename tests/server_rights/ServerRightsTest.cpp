// Depot roles that share a fleet's server and do not trust each other,
// tried from outside: `vexel` run as each role, and SQL typed as the role
// itself. The roles: a depot administrator who makes sets (maker), the
// editor of one set, a technician who only sends (viewer) and a login role
// given nothing (other).
#include "../cli/RunVexel.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using cli_testing::runVexel;

namespace {

QString host() { return qEnvironmentVariable("VEXEL_TEST_PGHOST"); }
QString mine(const char* role) { return QStringLiteral("%1_%2").arg(QLatin1String(role)).arg(QCoreApplication::applicationPid()); }

struct Reply {
    bool ok = false;
    QString error;
    QVariant value; // the first column of the first row
};

// SQL as `role` on a connection of its own, as psql would send it.
Reply as(const QString& role, const QString& database, const QString& sql)
{
    Reply r;
    const QString name = QStringLiteral("rights-") + role;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(host());
        db.setDatabaseName(database);
        db.setUserName(role);
        QSqlQuery q(db);
        r.ok = db.open() && q.exec(sql);
        r.error = db.isOpen() ? q.lastError().text() : db.lastError().text();
        if (r.ok && q.next())
            r.value = q.value(0);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return r;
}

// Every image a release left under `folder`.
int images(const QString& folder)
{
    int n = 0;
    for (QDirIterator it(folder, {QStringLiteral("*.img")}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++n;
    return n;
}

class ServerRights : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(host().isEmpty()) << "the suite's cluster is not there";
        as(QStringLiteral("postgres"), QStringLiteral("postgres"), QStringLiteral("DROP DATABASE IF EXISTS ") + database);
        ASSERT_TRUE(admin(QStringLiteral("CREATE DATABASE ") + database, QStringLiteral("postgres")));
        expectRun({"db", "init", QStringLiteral("postgresql://postgres@/%1?host=%2").arg(database, host())});
        // What an administrator types for a depot's people (see the README).
        for (const QString& sql : {QStringLiteral("CREATE ROLE %1 LOGIN").arg(maker), QStringLiteral("CREATE ROLE %1 LOGIN").arg(editor),
                                   QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE vexel_viewer").arg(viewer),
                                   QStringLiteral("CREATE ROLE %1 LOGIN").arg(other),
                                   QStringLiteral("GRANT CREATE ON DATABASE %1 TO %2").arg(database, maker),
                                   QStringLiteral("DO $$ BEGIN CREATE ROLE vexel_owner NOLOGIN; "
                                                  "EXCEPTION WHEN duplicate_object OR unique_violation THEN NULL; END $$"),
                                   QStringLiteral("GRANT vexel_owner TO %1").arg(maker)})
            ASSERT_TRUE(admin(sql));
        expectRun({"set", "new", address(maker), QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")});
        expectRun({"db", "grant", editor, address(QStringLiteral("postgres")), "--edit"});
        expectRun({"db", "grant", viewer, address(QStringLiteral("postgres")), "--read"});
        expectRun({"set", "import", address(editor), QStringLiteral(VEXEL_EXAMPLES "/routes.csv")});
    }

    QString address(const QString& role, const QString& set = QStringLiteral("fleet")) const
    {
        return QStringLiteral("postgresql://%1@/%2?host=%3&set=%4").arg(role, database, host(), set);
    }
    bool admin(const QString& sql, const QString& in = {}) const
    {
        const Reply r = as(QStringLiteral("postgres"), in.isEmpty() ? database : in, sql);
        EXPECT_TRUE(r.ok) << sql.toStdString() << ": " << r.error.toStdString();
        return r.ok;
    }
    static cli_testing::VexelRun expectRun(const QStringList& args, int exit = 0)
    {
        const cli_testing::VexelRun run = runVexel(args);
        EXPECT_EQ(run.exit, exit) << args.join(' ').toStdString() << "\n" << run.err.toStdString();
        return run;
    }

    const QString database = mine("rights");
    const QString maker = mine("maker");
    const QString editor = mine("editor");
    const QString viewer = mine("viewer");
    const QString other = mine("other");
    QTemporaryDir dir;
};

} // namespace

TEST_F(ServerRights, NoCodeOfTheSetsOwnerRunsForItsEditors)
{
    // The set belongs to a role nobody logs in as, so its editor cannot
    // attach code to it.
    EXPECT_EQ(as(maker, database, QStringLiteral("SELECT nspowner::regrole::text FROM pg_namespace WHERE nspname = 'fleet'"))
                  .value.toString()
                  .toStdString(),
              "vexel_owner");
    EXPECT_FALSE(as(editor, database, QStringLiteral("ALTER TABLE fleet.destination ADD CONSTRAINT mine CHECK (true)")).ok);

    // A member of the owning role attaches calls of a function elsewhere that
    // notes who ran it; the editor's next import must not run it.
    ASSERT_TRUE(as(maker, database,
                   QStringLiteral("CREATE SCHEMA evil; CREATE TABLE evil.ran (who text); "
                                  "GRANT USAGE ON SCHEMA evil TO PUBLIC; GRANT INSERT ON evil.ran TO PUBLIC; "
                                  "CREATE FUNCTION evil.f() RETURNS boolean LANGUAGE plpgsql AS "
                                  "$$BEGIN INSERT INTO evil.ran VALUES (current_user); RETURN true; END$$; "
                                  "CREATE FUNCTION evil.g(text) RETURNS text LANGUAGE sql IMMUTABLE AS $$SELECT $1$$"))
                    .ok);
    const QString csv = dir.filePath(QStringLiteral("changed.csv"));
    QFile changed(csv);
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write("route,destination_ka,destination_en\n12,ვაკე-2,Vake 2\n99,ახალი,New\n");
    changed.close();
    struct Attack {
        const char* named;
        const char* attach;
        const char* detach;
    };
    const Attack attacks[] = {
        {"c_evil", "ALTER TABLE fleet.destination ADD CONSTRAINT c_evil CHECK (evil.f()) NOT VALID",
         "ALTER TABLE fleet.destination DROP CONSTRAINT c_evil"},
        {"r_evil", "CREATE RULE r_evil AS ON UPDATE TO fleet.destination DO ALSO SELECT evil.f()",
         "DROP RULE r_evil ON fleet.destination"},
        {"p_evil",
         "ALTER TABLE fleet.destination ENABLE ROW LEVEL SECURITY; "
         "CREATE POLICY p_evil ON fleet.destination USING (evil.f()) WITH CHECK (evil.f())",
         "DROP POLICY p_evil ON fleet.destination; ALTER TABLE fleet.destination DISABLE ROW LEVEL SECURITY"},
        {"destination.note", "ALTER TABLE fleet.destination ALTER COLUMN note SET DEFAULT evil.g('x')",
         "ALTER TABLE fleet.destination ALTER COLUMN note DROP DEFAULT"},
        {"i_evil", "CREATE INDEX i_evil ON fleet.destination ((evil.g(code)))", "DROP INDEX fleet.i_evil"},
    };
    for (const Attack& attack : attacks) {
        ASSERT_TRUE(as(maker, database, QString::fromLatin1(attack.attach)).ok) << attack.named;
        const auto run = runVexel({"set", "import", address(editor), csv});
        ASSERT_TRUE(as(maker, database, QString::fromLatin1(attack.detach)).ok) << attack.named;
        EXPECT_EQ(run.exit, 1) << attack.named;
        EXPECT_TRUE(run.err.contains(QLatin1String(attack.named))) << run.err.toStdString();
        EXPECT_EQ(as(maker, database, QStringLiteral("SELECT count(*) FROM evil.ran WHERE who = '%1'").arg(editor))
                      .value.toInt(),
                  0)
            << attack.named;
    }
    expectRun({"set", "import", address(editor), csv});
}

TEST_F(ServerRights, AViewerAddsJournalEntriesAndNothingElse)
{
    const Reply faked = as(viewer, database,
                           QStringLiteral("INSERT INTO vexel_carried (bus, sign, time, id, station, set_id, version, files, sums) "
                                          "VALUES ('1042', 'front', now(), gen_random_uuid(), 'depot-9', '', 9, '12.img', '')"));
    EXPECT_FALSE(faked.ok);
    EXPECT_FALSE(as(viewer, database, QStringLiteral("UPDATE vexel_carried SET version = 9")).ok);

    // An entry claiming to come from another database user is stored as the
    // viewer's, and still tells the fleet what the bus carries.
    ASSERT_TRUE(as(viewer, database,
                   QStringLiteral("INSERT INTO vexel_journal (id, time, bus, sign, set_name, port, kind, files, reply, "
                                  "station, db_user) VALUES (gen_random_uuid(), now(), '1043', 'front', 'fleet', "
                                  "'/dev/ttyUSB0', 'send', '12.img', 'OK', 'depot-9', 'postgres')"))
                    .ok);
    EXPECT_EQ(as(viewer, database, QStringLiteral("SELECT db_user FROM vexel_journal WHERE bus = '1043'")).value.toString().toStdString(),
              viewer.toStdString());
    EXPECT_EQ(as(viewer, database, QStringLiteral("SELECT count(*) FROM vexel_carried WHERE bus = '1043'")).value.toInt(), 1);
    EXPECT_EQ(as(viewer, database, QStringLiteral("SELECT count(*) FROM vexel_carried WHERE bus = '1042'")).value.toInt(), 0);
}

TEST_F(ServerRights, AnEditorCanReleaseButNeitherDeleteAReleaseNorRewriteHistory)
{
    for (const char* out : {"r1", "r2"})
        expectRun({"set", "release", address(editor), "--out", dir.filePath(QLatin1String(out))});
    const char* const rewrites[] = {
        "DELETE FROM fleet.version_image WHERE version = 1",
        "DELETE FROM fleet.version_destination WHERE version = 1",
        "DELETE FROM fleet.version_release WHERE version = 1",
        "DELETE FROM fleet.version WHERE number = 1",
        "UPDATE fleet.version SET note = 'rewritten'",
        "UPDATE fleet.image_text SET text = text",
        "UPDATE fleet.set_version SET version = 99",
        "DELETE FROM fleet.destination_history",
    };
    for (const char* sql : rewrites)
        EXPECT_FALSE(as(editor, database, QString::fromLatin1(sql)).ok) << sql;
    const auto versions = expectRun({"set", "versions", address(editor)});
    EXPECT_TRUE(versions.out.startsWith(QLatin1String("1 "))) << versions.out.toStdString();
    EXPECT_TRUE(versions.out.contains(QLatin1String("\n2 "))) << versions.out.toStdString();
}

TEST_F(ServerRights, AGrantThatDidNotTakeFailsWithTheServersReason)
{
    const auto run = expectRun({"db", "grant", other, address(editor), "--edit"}, 1);
    EXPECT_FALSE(run.err.contains(QLatin1String("WARNING:"))) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains(QLatin1String("may now"))) << run.out.toStdString();
    EXPECT_FALSE(as(QStringLiteral("postgres"), database,
                    QStringLiteral("SELECT has_table_privilege('%1', 'fleet.destination', 'INSERT')").arg(other))
                     .value.toBool());
}

TEST_F(ServerRights, PublicUnknownRolesAndSchemasThatAreNoSetsAreRefused)
{
    const std::pair<QStringList, const char*> refused[] = {
        {{"db", "grant", "public", address(QStringLiteral("postgres")), "--edit"}, "public"},
        {{"db", "grant", "PUBLIC", address(QStringLiteral("postgres")), "--read"}, "public"},
        {{"db", "grant", mine("nobody"), address(QStringLiteral("postgres")), "--read"}, "nobody"},
        {{"db", "grant", other, address(QStringLiteral("postgres"), QStringLiteral("public")), "--edit"}, "not a"},
        {{"db", "sql", "public", "fleet", "--edit"}, "public"},
    };
    for (const auto& [args, reason] : refused) {
        const auto run = expectRun(args, 1);
        EXPECT_TRUE(run.err.contains(QLatin1String(reason), Qt::CaseInsensitive)) << run.err.toStdString();
    }
    EXPECT_EQ(as(QStringLiteral("postgres"), database,
                 QStringLiteral("SELECT count(*) FROM pg_class c, aclexplode(c.relacl) a WHERE c.relnamespace IN "
                                "('fleet'::regnamespace, 'public'::regnamespace) AND a.grantee IN (0, '%1'::regrole)")
                     .arg(other))
                  .value.toInt(),
              0);
}

TEST_F(ServerRights, AReleaseTheSetCannotKeepWritesNoFile)
{
    const QString out = dir.filePath(QStringLiteral("release"));
    const auto run = expectRun({"set", "release", address(viewer), "--out", out}, 1);
    EXPECT_TRUE(run.err.contains(viewer)) << run.err.toStdString();
    EXPECT_EQ(images(out), 0);
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/release.txt")));
}

TEST_F(ServerRights, NamesAndSizesAreReportedAsWrittenAndTheServerNeverSpeaksRaw)
{
    const auto named = expectRun({"set", "new", address(maker, QStringLiteral("_x")), QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")}, 1);
    EXPECT_TRUE(named.err.contains(QLatin1String("beginning with a letter"))) << named.err.toStdString();
    EXPECT_EQ(as(maker, database, QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = '_x'")).value.toInt(), 0);

    // A file whose sign row was written past its checks.
    const QString file = dir.filePath(QStringLiteral("fleet.vxset"));
    expectRun({"set", "new", file, QStringLiteral(VEXEL_EXAMPLES "/bus-profile.json")});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("negative"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA ignore_check_constraints = ON")));
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE sign SET width = -5 WHERE name = 'front'")));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("negative"));
    const auto status = expectRun({"set", "status", file}, 1);
    EXPECT_TRUE(status.err.contains(QLatin1String("-5 x 19"))) << status.err.toStdString();

    // Run again, init meets what it made and the server says so in notices.
    const auto again = expectRun({"db", "init", QStringLiteral("postgresql://postgres@/%1?host=%2").arg(database, host())});
    for (const char* raw : {"NOTICE:", "WARNING:"})
        EXPECT_FALSE(again.err.contains(QLatin1String(raw))) << again.err.toStdString();
}

TEST_F(ServerRights, InitTakesOverASetOfAnEarlierVersionAndStrayRightsKeepItFromEditing)
{
    // The set as an earlier version left it: owned by its maker, with the
    // editor free to change every table.
    ASSERT_TRUE(admin(QStringLiteral("ALTER SCHEMA fleet OWNER TO %1; DROP FUNCTION fleet.lock_set(); "
                                     "GRANT INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA fleet TO %2")
                          .arg(maker, editor)));
    ASSERT_TRUE(admin(QStringLiteral("DO $$ DECLARE t text; BEGIN FOR t IN SELECT relname FROM pg_class WHERE "
                                     "relnamespace = 'fleet'::regnamespace AND relkind = 'r' LOOP "
                                     "EXECUTE format('ALTER TABLE fleet.%I OWNER TO %2', t); END LOOP; END $$")
                          .arg(maker)));
    const auto old = expectRun({"set", "import", address(editor), QStringLiteral(VEXEL_EXAMPLES "/routes.csv")}, 1);
    EXPECT_TRUE(old.err.contains(QLatin1String("vexel db init"))) << old.err.toStdString();

    const auto init = expectRun({"db", "init", QStringLiteral("postgresql://postgres@/%1?host=%2").arg(database, host())});
    EXPECT_TRUE(init.out.contains(QLatin1String("set fleet: brought under vexel_owner"))) << init.out.toStdString();
    EXPECT_FALSE(as(editor, database, QStringLiteral("DELETE FROM fleet.version")).ok);
    expectRun({"set", "import", address(editor), QStringLiteral(VEXEL_EXAMPLES "/routes.csv")});

    // A right given by hand beyond an edit right: read, not changed.
    ASSERT_TRUE(admin(QStringLiteral("GRANT DELETE ON fleet.version TO %1").arg(editor)));
    const auto stray = expectRun({"set", "import", address(editor), QStringLiteral(VEXEL_EXAMPLES "/routes.csv")}, 1);
    EXPECT_TRUE(stray.err.contains(QLatin1String("DELETE on table version"))) << stray.err.toStdString();
    expectRun({"set", "versions", address(viewer)});
}

TEST_F(ServerRights, WordListsAreChangedByEditorsAndAnOlderSetGetsItsNewListsWithRights)
{
    // The set as the version before word lists left it.
    ASSERT_TRUE(admin(QStringLiteral("DROP TABLE fleet.service_word, fleet.keep_together, fleet.via_word, fleet.code_rule; "
                                     "ALTER TABLE fleet.destination DROP COLUMN service; "
                                     "ALTER TABLE fleet.override DROP COLUMN service; "
                                     "ALTER TABLE fleet.version_destination DROP COLUMN service; "
                                     "ALTER TABLE fleet.version_override DROP COLUMN service; "
                                     "UPDATE fleet.set_version SET version = 7; DROP TABLE fleet.imported_text; "
                                     "CREATE TABLE fleet.imported_text (code_key TEXT NOT NULL CHECK (length(code_key) "
                                     "BETWEEN 1 AND 200), field TEXT NOT NULL CHECK (field IN ('route', "
                                     "'destination_ka', 'destination_en', 'via_ka', 'via_en')), value TEXT NOT NULL "
                                     "CHECK (length(value) <= 1000), time TEXT NOT NULL CHECK (length(time) = 24), "
                                     "PRIMARY KEY (code_key, field)); "
                                     "ALTER TABLE fleet.imported_text OWNER TO vexel_owner; "
                                     "GRANT SELECT, INSERT, UPDATE, DELETE ON fleet.imported_text TO %1; "
                                     "GRANT SELECT ON fleet.imported_text TO %2")
                          .arg(editor, viewer)));
    // Only a member of vexel_owner brings it up, and says so to an editor;
    // then the new lists are the editor's to change and the viewer's to read.
    const auto early = expectRun({"set", "words", address(editor), "--service", "add", "Express"}, 1);
    EXPECT_TRUE(early.err.contains(QLatin1String("member of vexel_owner"))) << early.err.toStdString();
    expectRun({"set", "words", address(maker), "--service", "add", "Express"});
    expectRun({"set", "words", address(editor), "--keep", "add", "Sheepshead Bay"});
    expectRun({"set", "words", address(editor), "--via-word", "latin", "through"});
    expectRun({"set", "words", address(editor), "--variant-suffix", "v%n"});
    expectRun({"set", "words", address(viewer), "--variant-suffix", "w%n"}, 1);
    const auto read = expectRun({"set", "words", address(viewer)});
    EXPECT_TRUE(read.out.contains(QLatin1String("variant-suffix \"v%n\"\n"))) << read.out.toStdString();
    EXPECT_FALSE(as(viewer, database, QStringLiteral("UPDATE fleet.code_rule SET pattern = 'x'")).ok);
    EXPECT_TRUE(read.out.contains(QLatin1String("Express"))) << read.out.toStdString();
    EXPECT_TRUE(read.out.contains(QLatin1String("via-word latin \"through\"\n"))) << read.out.toStdString();
    EXPECT_TRUE(read.out.contains(QStringLiteral("via-word georgian \"გავლით:\"\n"))) << read.out.toStdString();
    EXPECT_FALSE(as(viewer, database, QStringLiteral("UPDATE fleet.via_word SET word = 'x'")).ok);
    EXPECT_TRUE(read.out.contains(QLatin1String("Sheepshead Bay"))) << read.out.toStdString();

    for (const QString& role : {viewer, other}) {
        const auto refused = expectRun({"set", "words", address(role), "--upper", "add", "TBS"}, 1);
        EXPECT_FALSE(refused.err.isEmpty()) << role.toStdString();
    }
    EXPECT_FALSE(as(viewer, database, QStringLiteral("DELETE FROM fleet.keep_together")).ok);
    EXPECT_FALSE(as(other, database, QStringLiteral("SELECT count(*) FROM fleet.service_word")).ok);
    EXPECT_EQ(as(maker, database, QStringLiteral("SELECT count(*) FROM fleet.keep_together")).value.toInt(), 1);
    // What the editor may not do to a list: take it over.
    EXPECT_FALSE(as(editor, database, QStringLiteral("DROP TABLE fleet.service_word")).ok);
    EXPECT_FALSE(as(editor, database, QStringLiteral("ALTER TABLE fleet.upper_word ADD COLUMN x int")).ok);
}
