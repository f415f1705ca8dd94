// The fleet's state with the journal and the bus list on the server, and
// the notifications an open Fleet window listens for.
#include "fleet/JournalServer.h"
#include "support/FleetCases.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSqlDriver>
#include <QThread>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdlib>

namespace fleet_cases {

namespace {

QString serverOf(const QString& database)
{
    const char* host = std::getenv("VEXEL_TEST_PGHOST");
    return QStringLiteral("postgresql://postgres:pa55word@/%1?host=%2")
        .arg(database, host ? QString::fromLocal8Bit(host) : QString());
}

// A database of its own, with the journal made as `vexel db init` makes it.
QString freshServer(const QString& test)
{
    const QString name = QStringLiteral("fleet_") +
                         QString::fromLatin1(QCryptographicHash::hash(test.toUtf8(), QCryptographicHash::Md5).toHex().left(16));
    {
        QSqlDatabase admin = ServerAddress::parse(serverOf(QStringLiteral("postgres")), ServerAddress::SetName::Forbidden)
                                 ->connection(QStringLiteral("fleet-admin"));
        EXPECT_TRUE(admin.open()) << admin.lastError().text().toStdString();
        QSqlQuery q(admin);
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
        EXPECT_TRUE(q.exec(QStringLiteral("CREATE DATABASE %1").arg(name))) << q.lastError().text().toStdString();
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fleet-admin"));
    const Status made = JournalServer::at(serverOf(name))->init();
    EXPECT_TRUE(made.ok()) << made.error().toStdString();
    return serverOf(name);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Journal, FleetStatusCases, ::testing::Values(Engine{"server", freshServer}), engineName);

// A journal made before the fleet: `db init` brings it up, and its old
// entries are still read.
TEST(FleetServer, AnOlderJournalIsBroughtUpAndNotifiesItsListeners)
{
    const QString server = freshServer(QStringLiteral("older"));
    {
        const ServerAddress a = *ServerAddress::parse(server, ServerAddress::SetName::Forbidden);
        QSqlDatabase db = a.connection(QStringLiteral("fleet-older"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        // A send the board took before the upgrade, in the old table's form.
        for (const char* sql : {"ALTER TABLE vexel_journal DROP COLUMN set_id", "ALTER TABLE vexel_journal DROP COLUMN sums",
                                "DROP TABLE vexel_bus", "DROP TRIGGER vexel_carried_keep ON vexel_journal",
                                "DROP FUNCTION vexel_carried_keep()", "DROP TABLE vexel_carried",
                                "INSERT INTO vexel_journal (id, time, bus, sign, set_name, port, kind, files, reply, "
                                "station) VALUES (gen_random_uuid(), now() - interval '1 day', '7', 'front', 'city', "
                                "'/dev/ttyUSB0', 'send', '37.img', 'OK', 'depot-0')"})
            ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << q.lastError().text().toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fleet-older"));
    bool upgraded = false;
    const Status init = JournalServer::at(server)->init(nullptr, &upgraded);
    ASSERT_TRUE(init.ok()) << init.error().toStdString();
    EXPECT_TRUE(upgraded);

    // A listener, as the Fleet window is, hears of a send and a bus list change.
    const ServerAddress a = *ServerAddress::parse(server, ServerAddress::SetName::Forbidden);
    QSqlDatabase listener = a.connection(QStringLiteral("fleet-listener"));
    ASSERT_TRUE(listener.open());
    QStringList heard;
    ASSERT_TRUE(listener.driver()->subscribeToNotification(QLatin1String(JournalServer::JournalChannel)));
    ASSERT_TRUE(listener.driver()->subscribeToNotification(QLatin1String(BusList::FleetChannel)));
    QObject::connect(listener.driver(), &QSqlDriver::notification, listener.driver(),
                     [&](const QString& channel, QSqlDriver::NotificationSource, const QVariant& payload) {
                         heard << channel + QLatin1Char(':') + payload.toString();
                     });

    QTemporaryDir dir;
    const SendJournal journal(dir.filePath(QStringLiteral("journal.sqlite")), server, QStringLiteral("depot-1"));
    JournalEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.bus = QStringLiteral("1042");
    e.sign = QStringLiteral("front");
    e.files = {QStringLiteral("12.img")};
    e.sums = {QStringLiteral("0123456789abcdef")};
    e.reply = QStringLiteral("OK");
    bool uploaded = false;
    ASSERT_TRUE(journal.record(e, &uploaded).ok());
    EXPECT_TRUE(uploaded);
    Bus b;
    b.number = QStringLiteral("1042");
    b.set = QStringLiteral("city.vxset");
    b.codes = {QStringLiteral("12")};
    ASSERT_TRUE(BusList(journal).merge({b}).ok());
    for (int i = 0; i < 150 && heard.size() < 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    EXPECT_TRUE(heard.contains(QStringLiteral("vexel_journal:1042"))) << heard.join(' ').toStdString();
    EXPECT_TRUE(heard.contains(QStringLiteral("vexel_fleet:"))) << heard.join(' ').toStdString();

    // An entry uploaded late, older than the one the sign carries, leaves it.
    JournalEntry late = e;
    late.id.clear();
    late.time = e.time.addSecs(-3600);
    late.sums = {QStringLiteral("fedcba9876543210")};
    ASSERT_TRUE(journal.record(late, &uploaded).ok());
    const Expected<std::vector<GoodSend>> sends = journal.lastGoodSends();
    ASSERT_TRUE(sends.ok()) << sends.error().toStdString();
    ASSERT_EQ(sends->size(), 2u) << "the send from before the upgrade is carried too";
    EXPECT_EQ(sends->at(0).bus, "1042");
    EXPECT_EQ(sends->at(0).sums, e.sums);
    EXPECT_EQ(sends->at(0).time, e.time.toString(Qt::ISODateWithMs));
    EXPECT_EQ(sends->at(1).bus, "7");
    EXPECT_EQ(sends->at(1).files, QStringList{"37.img"});
    listener.close();

    // Columns missing again: a send whose role may alter the table brings it
    // up itself and keeps its checksums.
    {
        QSqlDatabase db = a.connection(QStringLiteral("fleet-older-again"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("ALTER TABLE vexel_journal DROP COLUMN set_id, DROP COLUMN sums")));
        const Expected<std::vector<JournalEntry>> old = journal.entries();
        ASSERT_TRUE(old.ok()) << "a journal not yet brought up is still read: " << old.error().toStdString();
        EXPECT_TRUE(old->front().sums.isEmpty());
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fleet-older-again"));
    e.id.clear();
    e.bus = QStringLiteral("1043");
    ASSERT_TRUE(journal.record(e, &uploaded).ok());
    EXPECT_TRUE(uploaded);
    const Expected<std::vector<GoodSend>> again = journal.lastGoodSends(QStringLiteral("1043"));
    ASSERT_TRUE(again.ok() && again->size() == 1u) << again.error().toStdString();
    EXPECT_EQ(again->front().sums, e.sums);
}

} // namespace fleet_cases
