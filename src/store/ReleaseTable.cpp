#include "store/ReleaseTable.h"

#include "store/SetSchema.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace vexel {

namespace {

constexpr int MaxFolder = 4096;

Status failed(const QSqlQuery& query) { return Status::failure(SetSchema::message(query.lastError())); }

} // namespace

Status ReleaseTable::makeTables(QSqlDatabase& db)
{
    for (const char* sql : {"CREATE TABLE set_identity (\n"
                            "  one INTEGER PRIMARY KEY CHECK (one = 1),\n"
                            "  id TEXT NOT NULL CHECK (length(id) = 36)\n"
                            ")",
                            "CREATE TABLE version_release (\n"
                            "  version INTEGER PRIMARY KEY REFERENCES version (number),\n"
                            "  valid_from TEXT NOT NULL,\n"
                            "  folder TEXT NOT NULL\n"
                            ")"}) {
        const Status made = SetSchema::run(db, QString::fromLatin1(sql));
        if (!made)
            return made;
    }
    return SetSchema::run(db, QStringLiteral("INSERT INTO set_identity (one, id) VALUES (1, '%1')")
                                  .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
}

Expected<QString> ReleaseTable::setId() const
{
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT id FROM set_identity WHERE one = 1")))
        return Expected<QString>(failed(q));
    if (!q.next())
        return QString();
    const QString id = q.value(0).toString();
    if (QUuid::fromString(id).isNull())
        return Expected<QString>::failure("its id is damaged");
    return id;
}

Status ReleaseTable::record(int version, const QDate& validFrom, const QString& folder)
{
    QSqlQuery q(db_);
    // A new version's row: on a server an editor may add it, not change it.
    q.prepare(QStringLiteral("INSERT INTO version_release (version, valid_from, folder) VALUES (?, ?, ?)"));
    q.addBindValue(version);
    q.addBindValue(validFrom.isValid() ? validFrom.toString(Qt::ISODate) : QStringLiteral(""));
    q.addBindValue(SetSchema::notNull(folder.left(MaxFolder)));
    return q.exec() ? Status::success() : failed(q);
}

Expected<std::vector<ReleaseTable::Release>> ReleaseTable::releases() const
{
    using Result = Expected<std::vector<Release>>;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT v.number, v.time, r.valid_from, r.folder FROM version v "
                               "LEFT JOIN version_release r ON r.version = v.number ORDER BY v.number")))
        return Result(failed(q));
    std::vector<Release> out;
    while (q.next()) {
        Release r;
        r.number = q.value(0).toInt();
        r.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs).toUTC();
        const QString from = q.value(2).toString();
        r.validFrom = QDate::fromString(from, Qt::ISODate);
        r.folder = q.value(3).toString();
        if (r.number < 1 || !r.time.isValid() || (!from.isEmpty() && !r.validFrom.isValid()) ||
            r.folder.size() > MaxFolder)
            return Result::failure(QStringLiteral("version %1: its release is damaged").arg(r.number));
        out.push_back(r);
    }
    if (q.lastError().isValid())
        return Result(failed(q));
    return out;
}

const ReleaseTable::Release* ReleaseTable::inForce(const std::vector<Release>& releases, const QDate& today)
{
    const Release* latest = nullptr;
    for (const Release& r : releases)
        if (!r.validFrom.isValid() || r.validFrom <= today)
            latest = &r;
    return latest;
}

Expected<std::vector<ReleaseTable::Image>> ReleaseTable::images() const
{
    using Result = Expected<std::vector<Image>>;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT i.version, i.sign, i.code, t.sha256 FROM version_image i "
                               "JOIN image_text t ON t.id = i.image ORDER BY i.version, i.position")))
        return Result(failed(q));
    std::vector<Image> out;
    while (q.next()) {
        const QByteArray hash = q.value(3).toByteArray();
        if (hash.size() != 32)
            return Result::failure("an image's checksum is damaged");
        out.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), sumOfHash(hash)});
    }
    if (q.lastError().isValid())
        return Result(failed(q));
    return out;
}

QString ReleaseTable::imageSum(const QByteArray& fileBytes)
{
    return sumOfHash(QCryptographicHash::hash(fileBytes, QCryptographicHash::Sha256));
}

QString ReleaseTable::sumOfHash(const QByteArray& sha256) { return QString::fromLatin1(sha256.left(8).toHex()); }

} // namespace vexel
