#include "store/OverrideTable.h"

#include "depot/Preflight.h"
#include "store/SetSchema.h"
#include "document/ImageFile.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vexel {

Expected<std::vector<SignOverride>> OverrideTable::all() const
{
    using Result = Expected<std::vector<SignOverride>>;
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral(
            "SELECT d.code, s.name, s.width, s.height, o.image, o.route, o.destination_ka, o.destination_en, "
            "o.via_ka, o.via_en, o.revision, o.service FROM override o JOIN destination d ON d.id = o.destination_id "
            "JOIN sign s ON s.id = o.sign_id ORDER BY d.id, s.id")))
        return Result::failure(SetSchema::message(query.lastError()));
    std::vector<SignOverride> out;
    while (query.next()) {
        SignOverride o;
        o.code = query.value(0).toString();
        o.sign = query.value(1).toString();
        const QString where = QStringLiteral("the override of %1 on sign %2: ").arg(o.code, o.sign);
        const Expected<ImageRecord> image = ImageFile::parse(query.value(4).toString().toUtf8());
        Status fine = image ? image->check() : image.status();
        if (!fine)
            return Result::failure(where + fine.error());
        const auto [w, h] = Preflight::boardSizeOf(*image);
        if (w > query.value(2).toInt() || h > query.value(3).toInt())
            return Result::failure(
                (where + QStringLiteral("the image needs a %1 x %2 board").arg(w).arg(h)));
        o.image = *image;
        o.madeFrom.code = o.code;
        o.madeFrom.route = query.value(5).toString();
        o.madeFrom.destinationKa = query.value(6).toString();
        o.madeFrom.destinationEn = query.value(7).toString();
        o.madeFrom.viaKa = query.value(8).toString();
        o.madeFrom.viaEn = query.value(9).toString();
        o.madeFrom.service = query.value(11).toString();
        bool okRevision = false;
        o.revision = query.value(10).toLongLong(&okRevision);
        if (!okRevision || o.revision < 1)
            return Result::failure((where + QStringLiteral("its revision is damaged")));
        out.push_back(o);
    }
    if (query.lastError().isValid())
        return Result::failure(SetSchema::message(query.lastError()));
    return out;
}

Expected<qint64> OverrideTable::revision(qint64 destinationId, qint64 signId) const
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("SELECT revision FROM override WHERE destination_id = :d AND sign_id = :s"));
    query.bindValue(QStringLiteral(":d"), destinationId);
    query.bindValue(QStringLiteral(":s"), signId);
    if (!query.exec())
        return Expected<qint64>::failure(SetSchema::message(query.lastError()));
    return query.next() ? query.value(0).toLongLong() : qint64(0);
}

Status OverrideTable::store(qint64 destinationId, qint64 signId, const SignOverride& image)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral(
        "INSERT INTO override (destination_id, sign_id, image, route, destination_ka, destination_en, "
        "via_ka, via_en, service) VALUES (:d, :s, :image, :route, :ka, :en, :via_ka, :via_en, :service) "
        "ON CONFLICT (destination_id, sign_id) DO UPDATE SET image = excluded.image, route = excluded.route, "
        "destination_ka = excluded.destination_ka, destination_en = excluded.destination_en, "
        "via_ka = excluded.via_ka, via_en = excluded.via_en, service = excluded.service, "
        "revision = override.revision + 1"));
    query.bindValue(QStringLiteral(":d"), destinationId);
    query.bindValue(QStringLiteral(":s"), signId);
    query.bindValue(QStringLiteral(":image"), SetSchema::notNull(QString::fromStdString(image.image.text())));
    query.bindValue(QStringLiteral(":route"), SetSchema::notNull(image.madeFrom.route));
    query.bindValue(QStringLiteral(":ka"), SetSchema::notNull(image.madeFrom.destinationKa));
    query.bindValue(QStringLiteral(":en"), SetSchema::notNull(image.madeFrom.destinationEn));
    query.bindValue(QStringLiteral(":via_ka"), SetSchema::notNull(image.madeFrom.viaKa));
    query.bindValue(QStringLiteral(":via_en"), SetSchema::notNull(image.madeFrom.viaEn));
    query.bindValue(QStringLiteral(":service"), SetSchema::notNull(image.madeFrom.service));
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

Status OverrideTable::remove(qint64 destinationId, qint64 signId)
{
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("DELETE FROM override WHERE destination_id = :d AND sign_id = :s"));
    query.bindValue(QStringLiteral(":d"), destinationId);
    query.bindValue(QStringLiteral(":s"), signId);
    return query.exec() ? Status::success() : Status::failure(SetSchema::message(query.lastError()));
}

} // namespace vexel
