// Four depots editing one server set at once, each its own process: the
// same destination and one of its own, for a while. Every edit the set took
// is in it (the last one as the row, each in the history), and every edit it
// refused was refused as stale, never lost without a word.
#include "sets/DestinationSet.h"
#include "sets/SetOnEngines.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace vexel;

namespace {

#ifdef VEXEL_SANITIZED_BUILD
constexpr int Seconds = 6;
#else
constexpr int Seconds = 20;
#endif
constexpr int Depots = 4;

const char* const Layout = R"({ "frames": [ { "preset": "number", "destination": "{destination_ka}" } ] })";

Destination place(const QString& code)
{
    Destination d;
    d.code = d.route = code;
    d.destinationKa = QStringLiteral("ვაკე");
    d.destinationEn = QStringLiteral("Vake");
    return d;
}

} // namespace

// Run as a child of the next test: one depot's edits, one line each on
// standard output ("took CODE VALUE", "stale CODE", "fault MESSAGE").
TEST(ServerSetRaceChild, EditsUntilTheTimeIsUp)
{
    const QString address = qEnvironmentVariable("VEXEL_TEST_RACE_SET");
    if (address.isEmpty())
        GTEST_SKIP() << "run by ServerSetRace.FourDepotsEditingAtOnceLoseNothing";
    const QString depot = qEnvironmentVariable("VEXEL_TEST_RACE_DEPOT");
    DestinationSet::setStationName(QStringLiteral("depot-") + depot);
    auto set = DestinationSet::open(address, DestinationSet::Access::Edit);
    ASSERT_TRUE(set.ok()) << set.error().toStdString();
    QDeadlineTimer until(Seconds * 1000);
    for (int n = 0; !until.hasExpired(); ++n) {
        const QString code = n % 2 ? QStringLiteral("p") + depot : QStringLiteral("12");
        const auto all = set.value()->destinations();
        ASSERT_TRUE(all.ok()) << all.error().toStdString();
        auto read = std::find_if(all->begin(), all->end(), [&](const Destination& d) { return d.code == code; });
        ASSERT_NE(read, all->end());
        Destination edit = *read;
        edit.destinationEn = QStringLiteral("d%1-%2").arg(depot).arg(n);
        // Time between reading and writing, as an operator's typing takes.
        QThread::usleep(QRandomGenerator::global()->bounded(3000));
        const Status stored = set.value()->updateDestination(code, edit);
        if (stored)
            std::printf("took %s %s\n", qPrintable(code), qPrintable(edit.destinationEn));
        else if (set.value()->staleEdit())
            std::printf("stale %s\n", qPrintable(code));
        else
            std::printf("fault %s\n", stored.error().toStdString().c_str());
        std::fflush(stdout);
    }
}

TEST(ServerSetRace, FourDepotsEditingAtOnceLoseNothing)
{
    ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
    const QString name = set_test::freshSetName();
    const QString address = set_test::serverAddress(name);
    {
        auto made = DestinationSet::create(address, {VehicleSign{QStringLiteral("front"), 160, 19, Layout}});
        ASSERT_TRUE(made.ok()) << made.error().toStdString();
        std::vector<Destination> all{place(QStringLiteral("12"))};
        for (int d = 0; d < Depots; ++d)
            all.push_back(place(QStringLiteral("p%1").arg(d)));
        ASSERT_TRUE(made.value()->merge(all).ok());
    }
    std::vector<std::unique_ptr<QProcess>> depots;
    for (int d = 0; d < Depots; ++d) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VEXEL_TEST_RACE_SET"), address);
        env.insert(QStringLiteral("VEXEL_TEST_RACE_DEPOT"), QString::number(d));
        child->setProcessEnvironment(env);
        child->setProcessChannelMode(QProcess::SeparateChannels);
        child->start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=ServerSetRaceChild.EditsUntilTheTimeIsUp")});
        ASSERT_TRUE(child->waitForStarted());
        depots.push_back(std::move(child));
    }
    QMap<QString, QStringList> took; // code -> the values the set took
    int stale = 0;
    for (auto& child : depots) {
        ASSERT_TRUE(child->waitForFinished((Seconds + 120) * 1000));
        const QString out = QString::fromUtf8(child->readAllStandardOutput());
        EXPECT_EQ(child->exitCode(), 0) << out.toStdString();
        for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList words = line.split(QLatin1Char(' '));
            if (words[0] == QLatin1String("took") && words.size() == 3)
                took[words[1]] << words[2];
            else if (words[0] == QLatin1String("stale"))
                ++stale;
            else if (words[0] == QLatin1String("fault"))
                ADD_FAILURE() << "an edit failed without being refused as stale: " << line.toStdString();
        }
    }
    auto set = DestinationSet::open(address, DestinationSet::Access::Read);
    ASSERT_TRUE(set.ok()) << set.error().toStdString();
    const auto all = set.value()->destinations();
    ASSERT_TRUE(all.ok());
    for (int d = 0; d < Depots; ++d)
        EXPECT_FALSE(took.value(QStringLiteral("p%1").arg(d)).isEmpty()) << "depot " << d << " stored nothing";
    // Every line of the history, oldest first: more than a window shows.
    QMap<QString, QStringList> recorded;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("race-history"));
        db.setHostName(qEnvironmentVariable("VEXEL_TEST_PGHOST"));
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT code_key, what FROM \"%1\".destination_history ORDER BY id").arg(name)))
            << q.lastError().text().toStdString();
        while (q.next())
            if (q.value(1).toString().startsWith(QLatin1String("destination_en ")))
                recorded[q.value(0).toString()] << q.value(1).toString().section(QStringLiteral("\u2192 \""), 1).chopped(1);
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("race-history"));
    for (auto code = took.cbegin(); code != took.cend(); ++code) {
        QStringList lines = recorded.value(code.key());
        ASSERT_FALSE(lines.isEmpty()) << code.key().toStdString();
        const auto row = std::find_if(all->begin(), all->end(), [&](const Destination& d) { return d.code == code.key(); });
        ASSERT_NE(row, all->end());
        EXPECT_EQ(lines.last(), row->destinationEn) << "the row is the last edit taken";
        QStringList expected = code.value();
        lines.sort();
        expected.sort();
        EXPECT_EQ(lines.size(), expected.size()) << code.key().toStdString() << ": edits taken and history lines";
        EXPECT_TRUE(lines == expected) << code.key().toStdString() << ": an edit taken has no history line, or "
                                       << "one has a line it was never taken for";
    }
    std::printf("edits taken: %d of the shared destination, refused as stale: %d\n",
                int(took.value(QStringLiteral("12")).size()), stale);
}
