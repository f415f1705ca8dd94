#include "store/CopyOrigin.h"

#include "store/SetSchema.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace vexel {

namespace {

Status failed(const QSqlQuery& q) { return Status::failure(SetSchema::message(q.lastError())); }

bool isDigest(const QString& text)
{
    static const QString hex = QStringLiteral("0123456789abcdef");
    if (text.size() != 64)
        return false;
    for (const QChar c : text)
        if (!hex.contains(c))
            return false;
    return true;
}

// Each field with its length, so no two different rows digest alike.
void addField(QCryptographicHash& hash, const QVariant& value)
{
    const QByteArray bytes = value.toString().toUtf8();
    hash.addData(QByteArray::number(bytes.size()) + ':');
    hash.addData(bytes);
}

// A service text, where there is one, digested after the other fields with
// a name of its own: a row without one digests as it did before sets kept
// it, so a copy made then still agrees with its server.
void addService(std::vector<QVariant>& fields, const QVariant& service)
{
    if (service.toString().isEmpty())
        return;
    fields.push_back(QStringLiteral("service"));
    fields.push_back(service);
}

} // namespace

Status CopyOrigin::makeTables(QSqlDatabase& db)
{
    for (const char* sql : {"CREATE TABLE copy_origin (\n"
                            "  one INTEGER PRIMARY KEY CHECK (one = 1),\n"
                            "  address TEXT NOT NULL,\n"
                            "  set_id TEXT NOT NULL CHECK (length(set_id) = 36),\n"
                            "  time TEXT NOT NULL\n"
                            ")",
                            "CREATE TABLE copy_base (\n"
                            "  code_key TEXT NOT NULL PRIMARY KEY,\n"
                            "  code TEXT NOT NULL,\n"
                            "  revision INTEGER NOT NULL CHECK (revision >= 1),\n"
                            "  file_digest TEXT NOT NULL CHECK (length(file_digest) = 64),\n"
                            "  server_digest TEXT NOT NULL CHECK (length(server_digest) = 64)\n"
                            ")"}) {
        const Status made = SetSchema::run(db, QString::fromLatin1(sql));
        if (!made)
            return made;
    }
    return Status::success();
}

Expected<std::optional<CopyOrigin::Origin>> CopyOrigin::origin() const
{
    using Result = Expected<std::optional<Origin>>;
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT address, set_id, time FROM copy_origin WHERE one = 1")))
        return Result(failed(q));
    if (!q.next())
        return std::optional<Origin>();
    Origin o{q.value(0).toString().left(2000), q.value(1).toString(),
             QDateTime::fromString(q.value(2).toString(), Qt::ISODateWithMs).toUTC()};
    if (QUuid::fromString(o.setId).isNull() || !o.time.isValid())
        return Result::failure("its record of where it was copied from is damaged");
    return std::optional<Origin>(o);
}

Expected<CopyOrigin::Bases> CopyOrigin::bases() const
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT code_key, code, revision, file_digest, server_digest FROM copy_base")))
        return Expected<Bases>(failed(q));
    Bases out;
    while (q.next()) {
        bool ok = false;
        Base b{q.value(1).toString(), q.value(2).toLongLong(&ok), q.value(3).toString(), q.value(4).toString()};
        const QString key = q.value(0).toString();
        if (!ok || b.revision < 1 || key != SetSchema::key(b.code) || !isDigest(b.fileDigest) ||
            !isDigest(b.serverDigest))
            return Expected<Bases>::failure(
                QStringLiteral("its record of destination %1 at the copy is damaged").arg(b.code.left(200)));
        out.emplace(key, b);
    }
    if (q.lastError().isValid())
        return Expected<Bases>(failed(q));
    return out;
}

Status CopyOrigin::record(const Origin& origin, const Bases& bases)
{
    QSqlQuery q(db_);
    for (const char* sql : {"DELETE FROM copy_base", "DELETE FROM copy_origin"})
        if (!q.exec(QString::fromLatin1(sql)))
            return failed(q);
    q.prepare(QStringLiteral("INSERT INTO copy_origin (one, address, set_id, time) VALUES (1, ?, ?, ?)"));
    q.addBindValue(SetSchema::notNull(origin.address));
    q.addBindValue(SetSchema::notNull(origin.setId));
    q.addBindValue(origin.time.toUTC().toString(Qt::ISODateWithMs));
    if (!q.exec())
        return failed(q);
    for (const auto& [key, base] : bases) {
        const Status set = setBase(key, base);
        if (!set)
            return set;
    }
    return Status::success();
}

Status CopyOrigin::setBase(const QString& key, const std::optional<Base>& base)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral("DELETE FROM copy_base WHERE code_key = ?"));
    q.addBindValue(key);
    if (!q.exec())
        return failed(q);
    if (!base)
        return Status::success();
    q.prepare(QStringLiteral("INSERT INTO copy_base (code_key, code, revision, file_digest, server_digest) "
                             "VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(key);
    q.addBindValue(SetSchema::notNull(base->code));
    q.addBindValue(base->revision);
    q.addBindValue(base->fileDigest);
    q.addBindValue(base->serverDigest);
    return q.exec() ? Status::success() : failed(q);
}

Expected<CopyOrigin::States> CopyOrigin::states(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    // Overrides by their sign's key: sign ids differ between a copy and its
    // server once either adds a sign.
    std::map<QString, std::map<QString, std::vector<QVariant>>> overrides;
    if (!q.exec(QStringLiteral("SELECT d.code_key, s.name_key, o.image, o.route, o.destination_ka, "
                               "o.destination_en, o.via_ka, o.via_en, o.service FROM override o "
                               "JOIN destination d ON d.id = o.destination_id JOIN sign s ON s.id = o.sign_id")))
        return Expected<States>(failed(q));
    while (q.next()) {
        std::vector<QVariant>& fields = overrides[q.value(0).toString()][q.value(1).toString()];
        for (int i = 2; i < 8; ++i)
            fields.push_back(q.value(i));
        addService(fields, q.value(8));
    }
    if (!q.exec(QStringLiteral("SELECT code_key, code, revision, route, destination_ka, destination_en, via_ka, "
                               "via_en, note, in_use, latin_suggested, service FROM destination")))
        return Expected<States>(failed(q));
    States out;
    while (q.next()) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        std::vector<QVariant> own;
        for (int i = 1; i < 11; ++i)
            if (i != 2)
                own.push_back(q.value(i));
        addService(own, q.value(11));
        for (const QVariant& f : own)
            addField(hash, f);
        for (const auto& [sign, fields] : overrides[q.value(0).toString()]) {
            addField(hash, sign);
            for (const QVariant& f : fields)
                addField(hash, f);
        }
        bool ok = false;
        State s{q.value(1).toString(), q.value(2).toLongLong(&ok), QString::fromLatin1(hash.result().toHex())};
        if (!ok || s.revision < 1)
            return Expected<States>::failure(
                QStringLiteral("the revision of destination %1 is damaged").arg(s.code.left(200)));
        out.emplace(q.value(0).toString(), s);
    }
    if (q.lastError().isValid())
        return Expected<States>(failed(q));
    return out;
}

} // namespace vexel
