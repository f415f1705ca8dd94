#include "store/PgSession.h"

#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>

#include <map>
#include <mutex>

namespace vexel {

namespace {

std::mutex& guard()
{
    static std::mutex m;
    return m;
}

// By connection. An entry outlives its connection, and is started afresh
// when another connection gets its address.
std::map<const void*, PgSession::Heard>& heard()
{
    static std::map<const void*, PgSession::Heard> kept;
    return kept;
}

PGconn* handleOf(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // Qt names the type after the struct behind libpq's typedef.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

void receive(void* connection, const PGresult* result)
{
    const char* severity = PQresultErrorField(result, PG_DIAG_SEVERITY);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    const QString line = QStringLiteral("%1: %2").arg(QString::fromUtf8(severity ? severity : "NOTICE"),
                                                     QString::fromUtf8(primary ? primary : "").left(300));
    const std::lock_guard<std::mutex> lock(guard());
    PgSession::Heard& h = heard()[connection];
    ++h.count;
    if (h.first.size() < PgSession::Kept)
        h.first << line;
}

} // namespace

QString PgSession::Heard::summary() const
{
    if (count == 0)
        return {};
    return QStringLiteral("%1 %2 from the server, first: %3")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("message") : QStringLiteral("messages"), first.value(0));
}

void PgSession::collect(const QSqlDatabase& db)
{
    PGconn* connection = handleOf(db);
    if (!connection)
        return;
    {
        const std::lock_guard<std::mutex> lock(guard());
        heard()[connection] = Heard{};
    }
    PQsetNoticeReceiver(connection, &receive, connection);
}

PgSession::Heard PgSession::take(const QSqlDatabase& db)
{
    const std::lock_guard<std::mutex> lock(guard());
    const auto found = heard().find(handleOf(db));
    if (found == heard().end())
        return {};
    Heard out = found->second;
    found->second = Heard{};
    return out;
}

bool PgSession::inTransaction(const QSqlDatabase& db)
{
    PGconn* connection = handleOf(db);
    return connection && PQtransactionStatus(connection) != PQTRANS_IDLE;
}

} // namespace vexel
