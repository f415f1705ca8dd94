#pragma once

// A fixture that makes each test's set in a file or on the suite's server,
// so the set's tests run on both engines with the same expectations. The
// server engine is instantiated only in the binary that has a cluster.
#include "sets/DestinationSet.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

namespace set_test {

enum class Engine { File, Server };

inline void PrintTo(Engine engine, std::ostream* os) { *os << (engine == Engine::File ? "file" : "server"); }

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info)
{
    return info.param == Engine::File ? "File" : "Server";
}

// The suite's cluster, with a password that must never be shown.
inline QString serverAddress(const QString& set)
{
    const char* host = std::getenv("VEXEL_TEST_PGHOST");
    return QStringLiteral("postgresql://postgres:n0t-shown@/postgres?host=%1&set=%2")
        .arg(host ? QString::fromLocal8Bit(host) : QString(), set);
}

// SQL run as the cluster's superuser, behind the sets' backs; false at the
// first statement that fails, whose reason goes to `failure` when given.
inline bool asAdministrator(const QStringList& statements, QString* failure = nullptr)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("administrator"));
        db.setHostName(qEnvironmentVariable("VEXEL_TEST_PGHOST"));
        db.setDatabaseName(QStringLiteral("postgres"));
        db.setUserName(QStringLiteral("postgres"));
        ok = db.open();
        if (!ok && failure)
            *failure = db.lastError().text();
        for (const QString& sql : statements) {
            if (!ok)
                break;
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok && failure)
                *failure = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("administrator"));
    return ok;
}

inline QString freshSetName()
{
    static int made = 0;
    return QStringLiteral("s%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
}

class SetOnEngines : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        if (GetParam() == Engine::Server) {
            ASSERT_NE(std::getenv("VEXEL_TEST_PGHOST"), nullptr) << "the suite's cluster is not there";
            path = serverAddress(freshSetName());
        } else {
            path = dir.filePath(QStringLiteral("fleet.vxset"));
        }
    }

    std::unique_ptr<vexel::DestinationSet> make(const std::vector<vexel::VehicleSign>& signs)
    {
        auto made = vexel::DestinationSet::create(path, signs);
        EXPECT_TRUE(made.ok()) << made.error().toStdString();
        return made ? std::move(made).value() : nullptr;
    }

    std::unique_ptr<vexel::DestinationSet> open(vexel::DestinationSet::Access access)
    {
        auto opened = vexel::DestinationSet::open(path, access);
        EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
        return opened ? std::move(opened).value() : nullptr;
    }

    QTemporaryDir dir;
    QString path; // a file or a server address
};

} // namespace set_test
