#pragma once

// What the network tests share: `vexel` run with an environment of the
// test's own, and SQL run on the suite's cluster as its superuser.
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <gtest/gtest.h>

namespace network_test {

inline QString clusterFolder() { return qEnvironmentVariable("VEXEL_TEST_PGHOST"); }

// The tool under test; VEXEL_TEST_CLI runs another build of it.
inline QString tool()
{
    const QString other = qEnvironmentVariable("VEXEL_TEST_CLI");
    return other.isEmpty() ? QStringLiteral(VEXEL_CLI_TOOL) : other;
}

struct VexelRun {
    bool ended = false; // within the time given
    int exit = -1;
    QString out;
    QString err;
};

// A home of the test's own: the local journal and the settings go there.
inline QProcessEnvironment homeIn(const QTemporaryDir& dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("VEXEL_STATION"), QStringLiteral("depot-test"));
    env.remove(QStringLiteral("VEXEL_JOURNAL"));
    return env;
}

inline QString localJournal(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("data/vexelimage/Vexel Image/journal.sqlite"));
}

inline VexelRun runVexel(const QStringList& args, const QProcessEnvironment& env, int waitMs = 60000,
                 const QString& program = tool())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    VexelRun run;
    run.ended = p.waitForFinished(waitMs);
    if (!run.ended) {
        p.kill();
        p.waitForFinished();
    }
    run.exit = run.ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Each statement on `database`; the first value of the last one.
inline QVariant sql(const QString& database, const QStringList& statements)
{
    QVariant last;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("network-admin"));
        db.setHostName(clusterFolder());
        db.setDatabaseName(database);
        db.setUserName(QStringLiteral("postgres"));
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        for (const QString& statement : statements) {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(statement)) << statement.toStdString() << ": " << q.lastError().text().toStdString();
            if (q.isSelect() && q.next())
                last = q.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("network-admin"));
    return last;
}

// A database of its own with the journal's table; its address, through
// the cluster's socket folder unless another host is given.
inline QString journalDatabase(const QString& name)
{
    sql(QStringLiteral("postgres"), {QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name),
                                     QStringLiteral("CREATE DATABASE %1").arg(name)});
    VexelRun made = runVexel({QStringLiteral("db"), QStringLiteral("init"),
                      QStringLiteral("postgresql://postgres@/%1?host=%2").arg(name, clusterFolder())},
                     QProcessEnvironment::systemEnvironment());
    EXPECT_EQ(made.exit, 0) << made.err.toStdString();
    return name;
}

inline int journalRows(const QString& database)
{
    return sql(database, {QStringLiteral("SELECT count(*) FROM vexel_journal")}).toInt();
}

} // namespace network_test
