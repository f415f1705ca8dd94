#include "store/SignTable.h"

#include "store/SetSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <set>

namespace vexel {

namespace {

void bindSign(QSqlQuery& query, const VehicleSign& sign)
{
    query.bindValue(QStringLiteral(":name"), SetSchema::notNull(sign.name));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(SetSchema::notNull(sign.name)));
    query.bindValue(QStringLiteral(":width"), sign.width);
    query.bindValue(QStringLiteral(":height"), sign.height);
    query.bindValue(QStringLiteral(":layout"), SetSchema::notNull(sign.layout));
    query.bindValue(QStringLiteral(":pitch"), sign.pitchMm);
    query.bindValue(QStringLiteral(":place"), SetSchema::notNull(sign.place));
}

} // namespace

Expected<std::vector<VehicleSign>> SignTable::all() const
{
    using Result = Expected<std::vector<VehicleSign>>;
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, name, width, height, layout, pitch_mm, place, revision FROM sign ORDER BY id")))
        return Result::failure(SetSchema::message(query.lastError()));
    std::vector<VehicleSign> out;
    std::set<QString> names;
    while (query.next()) {
        const QString where = QStringLiteral("sign row %1: ").arg(query.value(0).toLongLong());
        VehicleSign sign;
        sign.name = query.value(1).toString();
        bool okW = false;
        bool okH = false;
        const qlonglong w = query.value(2).toLongLong(&okW);
        const qlonglong h = query.value(3).toLongLong(&okH);
        // Kept as stored, within reason, for check() to refuse by what it says.
        sign.width = okW ? static_cast<int>(std::clamp<qlonglong>(w, -1000000000, 1000000000)) : 0;
        sign.height = okH ? static_cast<int>(std::clamp<qlonglong>(h, -1000000000, 1000000000)) : 0;
        sign.layout = query.value(4).toString();
        bool okPitch = false;
        const double pitch = query.value(5).toDouble(&okPitch);
        sign.pitchMm = okPitch ? pitch : -1; // refused by check()
        sign.place = query.value(6).toString();
        bool okRevision = false;
        sign.revision = query.value(7).toLongLong(&okRevision);
        if (!okRevision || sign.revision < 1)
            return Result::failure((where + QStringLiteral("its revision is damaged")));
        const Status fine = sign.check();
        if (!fine)
            return Result::failure(where + fine.error());
        if (!names.insert(sign.name.toLower()).second)
            return Result::failure((where + QStringLiteral("the sign %1 is there twice").arg(sign.name)));
        out.push_back(sign);
    }
    if (query.lastError().isValid())
        return Result::failure(SetSchema::message(query.lastError()));
    return out;
}

Expected<std::optional<qint64>> SignTable::idOf(const QString& name) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT id FROM sign WHERE name_key = :key"));
    query.bindValue(QStringLiteral(":key"), SetSchema::key(name));
    if (!query.exec())
        return Expected<std::optional<qint64>>::failure(SetSchema::message(query.lastError()));
    if (!query.next())
        return std::optional<qint64>();
    return std::optional<qint64>(query.value(0).toLongLong());
}

Expected<qint64> SignTable::revision(qint64 id) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT revision FROM sign WHERE id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return Expected<qint64>::failure(SetSchema::message(query.lastError()));
    return query.next() ? query.value(0).toLongLong() : qint64(0);
}

Status SignTable::insert(const VehicleSign& sign)
{
    QSqlQuery query(db_);
    query.prepare(
        QStringLiteral("INSERT INTO sign (name, width, height, layout, pitch_mm, place, name_key) "
                       "VALUES (:name, :width, :height, :layout, :pitch, :place, :key)"));
    bindSign(query, sign);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Status SignTable::update(qint64 id, const VehicleSign& sign)
{
    QSqlQuery query(db_);
    query.prepare(
        QStringLiteral("UPDATE sign SET name = :name, width = :width, height = :height, layout = :layout, "
                       "pitch_mm = :pitch, place = :place, name_key = :key, revision = revision + 1 "
                       "WHERE id = :id"));
    bindSign(query, sign);
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Status SignTable::remove(qint64 id)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("DELETE FROM sign WHERE id = :id"));
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

} // namespace vexel
