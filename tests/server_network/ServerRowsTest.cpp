// What a careless or hostile user of the shared server can put in its way:
// rows that are not what Vexel Image writes, a password given in every
// address, a stored image damaged by hand.
#include "ServerNetworkTest.h"

#include "BoardProcess.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/resource.h>

using namespace network_test;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool hasRawControl(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control && c != QLatin1Char('\n');
    });
}

QString socketAddress(const QString& database, const QString& more = {})
{
    return QStringLiteral("postgresql://postgres@/%1?host=%2%3").arg(database, clusterFolder(), more);
}

} // namespace

TEST(ServerRows, ABadRowIsNamedAndLeftOutAndNothingReachesTheTerminalRaw)
{
    ASSERT_FALSE(clusterFolder().isEmpty()) << "the suite's cluster is not there";
    const QString db = journalDatabase("net_rows");
    const QString huge = "00000000-0000-4000-8000-00000000b16b";
    sql(db, {"INSERT INTO vexel_journal (id, time, bus, sign, set_name, port, kind, files, reply, station) VALUES "
             "(gen_random_uuid(), now(), '1042', 'front', '', 'p', 'send', '12.img', 'OK', 'depot-1'), "
             "('" + huge + "', now(), '1043', 'front', '', 'p', 'send', repeat('x', 64 * 1024 * 1024), 'OK', 'd'), "
             "(gen_random_uuid(), now(), E'BUS\\x1b[2J\\x1b]0;pwned\\x07', E'rear\\r', '', 'p', 'send', '37.img', "
             "'OK', 'depot-1')",
             "INSERT INTO vexel_bus (number, depot, set_ref, codes, in_service, note) VALUES "
             "('1042', 'Gldani', '/nowhere.vxset', '12', true, ''), "
             "('1044', 'Gldani', '/nowhere.vxset', '12', true, E'in the\\x1b[2J workshop')"});
    QTemporaryDir home;
    QProcessEnvironment env = homeIn(home);
    env.insert("VEXEL_JOURNAL", socketAddress(db));

    for (const QStringList& args : {QStringList{"journal"}, QStringList{"journal", "--csv"},
                                    QStringList{"fleet", "status"}, QStringList{"fleet", "status", "--csv"}}) {
        const VexelRun run = runVexel(args, env);
        const std::string what = args.join(' ').toStdString();
        EXPECT_EQ(run.exit, 1) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("1042")) << what << ": " << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(huge)) << what << ": " << run.err.toStdString();
        EXPECT_FALSE(hasRawControl(run.out) || hasRawControl(run.err)) << what;
    }
    EXPECT_TRUE(runVexel({"journal"}, env).out.contains("BUS\\x1B[2J\\x1B]0;pwned\\x07"));
    EXPECT_TRUE(runVexel({"fleet", "status"}, env).err.contains("bus 1044 is not one Vexel Image writes"));
    // The 64 MiB text was never fetched.
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    EXPECT_LT(children.ru_maxrss, 250 * 1024) << "kB at most in a child";
}

TEST(ServerRows, APasswordGivenInAnyAddressIsInNoOutputFileTableOrLog)
{
    ASSERT_FALSE(clusterFolder().isEmpty());
    const QString marker = "Mk7zQ9pw";
    const QString db = journalDatabase("net_pw");
    QTemporaryDir home;
    QTemporaryDir input; // the bus lists given, which hold the password
    const QString folder = testing_support::folderOf(home);
    QProcessEnvironment env = homeIn(home);
    const auto given = [&](const QString& set) {
        const QString where = QStringLiteral("/net_pw?host=%1").arg(clusterFolder()) + set;
        return QStringList{"postgresql://postgres:" + marker + "@" + where,
                           "postgresql://postgres@" + where + "&password=" + marker,
                           "postgresql://postgres@" + where + "&sslpassword=" + marker,
                           "postgresql://postgres:" + marker + "/x@" + where};
    };
    std::vector<VexelRun> runs;
    const auto run = [&](const QStringList& args) {
        runs.push_back(runVexel(args, env));
        return runs.back();
    };
    ASSERT_EQ(run({"set", "new", given("&set=fleet_pw")[0], VEXEL_EXAMPLES "/bus-profile.json"}).exit, 0);
    ASSERT_EQ(run({"set", "import", given("&set=fleet_pw")[1], VEXEL_EXAMPLES "/routes.csv"}).exit, 0);
    serial_testing::BoardProcess board;
    ASSERT_TRUE(board.started());
    testing_support::writeAll(folder + "12.img", testing_support::randomImageText(1, 96, 24, 9));
    int n = 0;
    for (const QString& set : given("&set=fleet_pw")) {
        const QString out = folder + QString::number(++n);
        for (const QStringList& args : {QStringList{"set", "status", set}, {"set", "versions", set},
                                        {"set", "release", set, "--out", out + "-release"},
                                        {"set", "copy", set, out + "-copy.vxset"},
                                        {"db", "grant", "vexel_viewer", set, "--read"}})
            run(args);
        const QString buses = input.filePath(QString::number(n) + ".csv");
        testing_support::writeAll(buses, ("bus,depot,set,codes,in_service\n10" + QString::number(n) + ",Gldani,\"" +
                                          set + "\",*,yes\n").toUtf8());
        env.insert("VEXEL_JOURNAL", socketAddress(db));
        run({"fleet", "import", buses});
        run({"fleet", "export", "--csv", out + "-export.csv"});
        run({"fleet", "status"});
        env.insert("VEXEL_JOURNAL", given({})[n - 1]);
        run({"db", "init", given({})[n - 1]});
        run({"send", "--port", board.path(), "--delay", "0", "--bus", "7", folder + "12.img"});
        run({"journal"});
        run({"fleet", "status"});
    }
    EXPECT_EQ(sql(db, {"SELECT count(*) FROM vexel_bus"}).toInt(), 3) << "the address that cannot be read is refused";
    for (const VexelRun& r : runs) {
        EXPECT_FALSE(r.out.contains(marker)) << r.out.toStdString();
        EXPECT_FALSE(r.err.contains(marker)) << r.err.toStdString();
    }
    QDirIterator files(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        EXPECT_FALSE(readAll(path).contains(marker.toUtf8())) << path.toStdString();
    }
    const QStringList tables = sql(db, {"SELECT string_agg(format('%I.%I', table_schema, table_name), ',') FROM "
                                        "information_schema.tables WHERE table_schema NOT IN "
                                        "('pg_catalog', 'information_schema')"})
                                   .toString()
                                   .split(',');
    for (const QString& table : tables)
        EXPECT_EQ(sql(db, {"SELECT count(*) FROM " + table + " t WHERE t::text LIKE '%" + marker + "%'"}).toInt(), 0)
            << table.toStdString();
    EXPECT_FALSE(readAll(clusterFolder() + "/server.log").contains(marker.toUtf8()));
}

TEST(ServerRows, AStoredImageDamagedByHandIsRefusedByNameNotReused)
{
    ASSERT_FALSE(clusterFolder().isEmpty());
    sql("postgres", {"DROP SCHEMA IF EXISTS damaged CASCADE"});
    QTemporaryDir home;
    const QString folder = testing_support::folderOf(home);
    const QProcessEnvironment env = homeIn(home);
    const QString set = socketAddress("postgres", "&set=damaged");
    ASSERT_EQ(runVexel({"set", "new", set, VEXEL_EXAMPLES "/bus-profile.json"}, env).exit, 0);
    ASSERT_EQ(runVexel({"set", "import", set, VEXEL_EXAMPLES "/routes.csv"}, env).exit, 0);
    ASSERT_EQ(runVexel({"set", "release", set, "--out", folder + "v1"}, env).exit, 0);
    sql("postgres", {"UPDATE damaged.image_text SET text = overlay(text PLACING '\\x00000000'::bytea FROM 9 FOR 4) "
                     "WHERE id = (SELECT min(id) FROM damaged.image_text)"});

    const VexelRun again = runVexel({"set", "release", set, "--out", folder + "v2"}, env);
    EXPECT_NE(again.exit, 0) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains("damaged") && again.err.contains(" on ")) << again.err.toStdString();
    EXPECT_EQ(sql("postgres", {"SELECT count(*) FROM damaged.version"}).toInt(), 1);
    const VexelRun copy = runVexel({"set", "copy", set, folder + "copy.vxset"}, env);
    EXPECT_NE(copy.exit, 0);
    EXPECT_TRUE(copy.err.contains("damaged")) << copy.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder + "copy.vxset"));
}
