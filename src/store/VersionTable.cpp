#include "store/VersionTable.h"

#include "store/DestinationTable.h"
#include "store/SetSchema.h"
#include "document/ImageFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <set>

namespace vexel {

namespace {

Status failed(const QSqlQuery& query) { return Status::failure(SetSchema::message(query.lastError())); }

void bindTexts(QSqlQuery& query, const Destination& d)
{
    query.bindValue(QStringLiteral(":route"), SetSchema::notNull(d.route));
    query.bindValue(QStringLiteral(":ka"), SetSchema::notNull(d.destinationKa));
    query.bindValue(QStringLiteral(":en"), SetSchema::notNull(d.destinationEn));
    query.bindValue(QStringLiteral(":via_ka"), SetSchema::notNull(d.viaKa));
    query.bindValue(QStringLiteral(":via_en"), SetSchema::notNull(d.viaEn));
    query.bindValue(QStringLiteral(":service"), SetSchema::notNull(d.service));
}

QByteArray fileText(const ImageRecord& image) { return QByteArray::fromStdString(image.text()); }

// The stored text column as fetched: nothing larger than a packed image
// may be is loaded (it comes as NULL, which unpacks as damaged).
QString storedText(const char* column)
{
    return QStringLiteral("CASE WHEN length(%1) <= %2 THEN %1 END").arg(QLatin1String(column)).arg(ImageFile::MaxTextSize);
}

// A stored text unpacked, and checked against the checksum it is kept by:
// a text changed by hand is not taken for the image it stood for.
Expected<QByteArray> intact(const QByteArray& stored, const QByteArray& sha256)
{
    Expected<QByteArray> text = VersionTable::unpack(stored);
    if (text && QCryptographicHash::hash(*text, QCryptographicHash::Sha256) != sha256)
        return Expected<QByteArray>::failure(QCoreApplication::translate("VersionTable", "its stored text is damaged: it does not match its checksum"));
    return text;
}

} // namespace

QByteArray VersionTable::pack(const QByteArray& text) { return qCompress(text, 9); }

Expected<QByteArray> VersionTable::unpack(const QByteArray& stored)
{
    // qCompress puts the length first, big-endian; a lying length must not
    // make qUncompress allocate it.
    if (stored.size() < 4 || stored.size() > ImageFile::MaxTextSize)
        return Expected<QByteArray>::failure(QCoreApplication::translate("VersionTable", "an image text is damaged"));
    const quint32 length = (quint32(quint8(stored[0])) << 24) | (quint32(quint8(stored[1])) << 16) |
                           (quint32(quint8(stored[2])) << 8) | quint32(quint8(stored[3]));
    if (length > ImageFile::MaxTextSize)
        return Expected<QByteArray>::failure(QCoreApplication::translate("VersionTable", "an image text is larger than an image file may be"));
    if (length == 0)
        return QByteArray();
    const QByteArray text = qUncompress(stored);
    if (text.size() != qsizetype(length))
        return Expected<QByteArray>::failure(QCoreApplication::translate("VersionTable", "an image text is damaged"));
    return text;
}

Expected<int> VersionTable::last() const
{
    QSqlQuery query(db_);
    if (!query.exec(QStringLiteral("SELECT coalesce(max(number), 0) FROM version")) || !query.next())
        return Expected<int>(failed(query));
    bool ok = false;
    const qlonglong n = query.value(0).toLongLong(&ok);
    if (!ok || n < 0 || n >= 1000000000)
        return Expected<int>::failure(QCoreApplication::translate("VersionTable", "the version numbers are damaged"));
    return int(n);
}

Expected<qint64> VersionTable::storeText(const QByteArray& text)
{
    const QByteArray hash = QCryptographicHash::hash(text, QCryptographicHash::Sha256);
    QSqlQuery find(db_);
    find.prepare(QStringLiteral("SELECT id, %1 FROM image_text WHERE sha256 = :h").arg(storedText("text")));
    find.bindValue(QStringLiteral(":h"), hash);
    if (!find.exec())
        return Expected<qint64>(failed(find));
    if (find.next()) {
        const Expected<QByteArray> kept = intact(find.value(1).toByteArray(), hash);
        if (!kept)
            return Expected<qint64>::failure(kept.error());
        return find.value(0).toLongLong();
    }
    QSqlQuery insert(db_);
    insert.prepare(QStringLiteral("INSERT INTO image_text (sha256, text) VALUES (:h, :t) RETURNING id"));
    insert.bindValue(QStringLiteral(":h"), hash);
    insert.bindValue(QStringLiteral(":t"), pack(text));
    if (!insert.exec() || !insert.next())
        return Expected<qint64>(failed(insert));
    return insert.value(0).toLongLong();
}

Status VersionTable::insert(const SetVersion& v)
{
    Status done = insertHead(v);
    if (done)
        done = insertDestinations(v);
    if (done)
        done = insertOverrides(v);
    if (done)
        done = insertFindings(v);
    if (done)
        done = insertImages(v);
    return done;
}

Status VersionTable::insertHead(const SetVersion& v)
{
    QSqlQuery head(db_);
    head.prepare(QStringLiteral("INSERT INTO version (number, time, note, feed_version, added, changed, removed) "
                                "VALUES (:n, :time, :note, :feed, :added, :changed, :removed)"));
    head.bindValue(QStringLiteral(":n"), v.number);
    head.bindValue(QStringLiteral(":time"), v.time.toUTC().toString(Qt::ISODateWithMs));
    head.bindValue(QStringLiteral(":note"), SetSchema::notNull(v.note));
    head.bindValue(QStringLiteral(":feed"), SetSchema::notNull(v.feedVersion));
    head.bindValue(QStringLiteral(":added"), v.added);
    head.bindValue(QStringLiteral(":changed"), v.changed);
    head.bindValue(QStringLiteral(":removed"), v.removed);
    if (!head.exec())
        return failed(head);
    return Status::success();
}

Status VersionTable::insertDestinations(const SetVersion& v)
{
    QSqlQuery d(db_);
    d.prepare(QStringLiteral("INSERT INTO version_destination (version, position, code, route, destination_ka, "
                             "destination_en, via_ka, via_en, service, note, in_use, latin_suggested) VALUES (:v, :p, "
                             ":code, :route, :ka, :en, :via_ka, :via_en, :service, :note, :in_use, :suggested)"));
    int position = 0;
    for (const Destination& dest : v.destinations) {
        d.bindValue(QStringLiteral(":v"), v.number);
        d.bindValue(QStringLiteral(":p"), ++position);
        d.bindValue(QStringLiteral(":code"), SetSchema::notNull(dest.code));
        bindTexts(d, dest);
        d.bindValue(QStringLiteral(":note"), SetSchema::notNull(dest.note));
        d.bindValue(QStringLiteral(":in_use"), dest.inUse ? 1 : 0);
        d.bindValue(QStringLiteral(":suggested"), dest.latinSuggested ? 1 : 0);
        if (!d.exec())
            return Status::failure(QCoreApplication::translate("VersionTable", "destination %1: ").arg(dest.code) +
                                   SetSchema::message(d.lastError()));
    }
    return Status::success();
}

Status VersionTable::insertOverrides(const SetVersion& v)
{
    QSqlQuery o(db_);
    o.prepare(QStringLiteral("INSERT INTO version_override (version, position, sign, code, image, route, "
                             "destination_ka, destination_en, via_ka, via_en, service) VALUES (:v, :p, :sign, :code, "
                             ":image, :route, :ka, :en, :via_ka, :via_en, :service)"));
    int position = 0;
    for (const SignOverride& over : v.overrides) {
        const Expected<qint64> text = storeText(fileText(over.image));
        if (!text)
            return Status::failure(QCoreApplication::translate("VersionTable", "the override of %1 on %2: ").arg(over.code, over.sign) + text.error());
        o.bindValue(QStringLiteral(":v"), v.number);
        o.bindValue(QStringLiteral(":p"), ++position);
        o.bindValue(QStringLiteral(":sign"), SetSchema::notNull(over.sign));
        o.bindValue(QStringLiteral(":code"), SetSchema::notNull(over.code));
        o.bindValue(QStringLiteral(":image"), *text);
        bindTexts(o, over.madeFrom);
        if (!o.exec())
            return Status::failure(QCoreApplication::translate("VersionTable", "the override of %1 on %2: ").arg(over.code, over.sign) +
                                   SetSchema::message(o.lastError()));
    }
    return Status::success();
}

Status VersionTable::insertFindings(const SetVersion& v)
{
    QSqlQuery f(db_);
    f.prepare(QStringLiteral("INSERT INTO version_finding (version, position, finding) VALUES (:v, :p, :finding)"));
    int position = 0;
    for (const QString& finding : v.findings) {
        f.bindValue(QStringLiteral(":v"), v.number);
        f.bindValue(QStringLiteral(":p"), ++position);
        f.bindValue(QStringLiteral(":finding"), SetSchema::notNull(finding));
        if (!f.exec())
            return Status::failure(QCoreApplication::translate("VersionTable", "finding %1: ").arg(position) +
                                   SetSchema::message(f.lastError()));
    }
    return Status::success();
}

Status VersionTable::insertImages(const SetVersion& v)
{
    QSqlQuery i(db_);
    i.prepare(QStringLiteral(
        "INSERT INTO version_image (version, position, sign, code, image) VALUES (:v, :p, :sign, :code, :image)"));
    int position = 0;
    for (const SetVersion::Image& image : v.images) {
        const Expected<qint64> text = storeText(fileText(image.image));
        if (!text)
            return Status::failure(QCoreApplication::translate("VersionTable", "the image of %1 on %2: ").arg(image.code, image.sign) + text.error());
        i.bindValue(QStringLiteral(":v"), v.number);
        i.bindValue(QStringLiteral(":p"), ++position);
        i.bindValue(QStringLiteral(":sign"), SetSchema::notNull(image.sign));
        i.bindValue(QStringLiteral(":code"), SetSchema::notNull(image.code));
        i.bindValue(QStringLiteral(":image"), *text);
        if (!i.exec())
            return Status::failure(QCoreApplication::translate("VersionTable", "the image of %1 on %2: ").arg(image.code, image.sign) +
                                   SetSchema::message(i.lastError()));
    }
    return Status::success();
}

namespace {

// Reads the head row of a version; the number and the time must be sound.
Status readHead(const QSqlQuery& q, SetVersion& v)
{
    bool ok = false;
    const qlonglong n = q.value(0).toLongLong(&ok);
    if (!ok || n < 1 || n >= 1000000000)
        return Status::failure(QCoreApplication::translate("VersionTable", "a version number is damaged"));
    v.number = int(n);
    const QString where = QCoreApplication::translate("VersionTable", "version %1: ").arg(v.number);
    v.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs).toUTC();
    if (!v.time.isValid())
        return Status::failure((where + QCoreApplication::translate("VersionTable", "its time is not a time")));
    v.note = q.value(2).toString();
    v.feedVersion = q.value(3).toString();
    int* counts[] = {&v.added, &v.changed, &v.removed};
    for (int k = 0; k < 3; ++k) {
        const qlonglong c = q.value(4 + k).toLongLong(&ok);
        if (!ok || c < 0 || c > 1000000000)
            return Status::failure((where + QCoreApplication::translate("VersionTable", "its counts are damaged")));
        *counts[k] = int(c);
    }
    return Status::success();
}

Status readDestinations(const QSqlDatabase& db, SetVersion& v, const QString& where)
{
    auto refuse = [&](const QString& what) { return Status::failure((where + what)); };
    QSqlQuery d(db);
    d.setForwardOnly(true);
    d.prepare(QStringLiteral("SELECT code, route, destination_ka, destination_en, via_ka, via_en, note, in_use, "
                             "latin_suggested, service FROM version_destination WHERE version = :v ORDER BY position"));
    d.bindValue(QStringLiteral(":v"), v.number);
    if (!d.exec())
        return failed(d);
    std::set<QString> codes;
    while (d.next()) {
        Destination dest;
        dest.code = d.value(0).toString();
        dest.route = d.value(1).toString();
        dest.destinationKa = d.value(2).toString();
        dest.destinationEn = d.value(3).toString();
        dest.viaKa = d.value(4).toString();
        dest.viaEn = d.value(5).toString();
        dest.note = d.value(6).toString();
        dest.service = d.value(9).toString();
        if (!SetSchema::flag(d.value(7), dest.inUse) || !SetSchema::flag(d.value(8), dest.latinSuggested))
            return refuse(QCoreApplication::translate("VersionTable", "a yes-or-no column of destination %1 holds something else").arg(dest.code));
        const Status fine = DestinationTable::check(dest);
        if (!fine)
            return refuse(fine.error());
        if (!codes.insert(dest.code.toLower()).second)
            return refuse(QCoreApplication::translate("VersionTable", "the code %1 is there twice").arg(dest.code));
        v.destinations.push_back(dest);
    }
    if (d.lastError().isValid())
        return failed(d);
    return Status::success();
}

// The images of one version by their stored text: a text shared by several
// images is unpacked and checked once.
class VersionImages {
public:
    explicit VersionImages(QString where) : where_(std::move(where)) {}

    Expected<ImageRecord> image(qint64 id, const QByteArray& stored, const QByteArray& sha256, const QString& what)
    {
        const auto found = known_.constFind(id);
        if (found != known_.constEnd())
            return *found;
        const Expected<QByteArray> text = intact(stored, sha256);
        Expected<ImageRecord> record = text ? ImageFile::parse(*text) : Expected<ImageRecord>(text.status());
        const Status fine = record ? record->check() : record.status();
        if (!fine)
            return Expected<ImageRecord>::failure((where_ + what) + fine.error());
        known_.insert(id, *record);
        return record;
    }

private:
    QString where_;
    QHash<qint64, ImageRecord> known_;
};

Status readOverrides(const QSqlDatabase& db, SetVersion& v, VersionImages& images)
{
    QSqlQuery o(db);
    o.setForwardOnly(true);
    o.prepare(QStringLiteral("SELECT o.sign, o.code, o.image, %1, o.route, o.destination_ka, o.destination_en, "
                             "o.via_ka, o.via_en, t.sha256, o.service FROM version_override o JOIN image_text t ON t.id = o.image "
                             "WHERE o.version = :v ORDER BY o.position")
                  .arg(storedText("t.text")));
    o.bindValue(QStringLiteral(":v"), v.number);
    if (!o.exec())
        return failed(o);
    while (o.next()) {
        SignOverride over;
        over.sign = o.value(0).toString();
        over.code = o.value(1).toString();
        const Expected<ImageRecord> record =
            images.image(o.value(2).toLongLong(), o.value(3).toByteArray(), o.value(9).toByteArray(),
                         QCoreApplication::translate("VersionTable", "the override of %1 on %2: ").arg(over.code, over.sign));
        if (!record)
            return record.status();
        over.image = *record;
        over.madeFrom.code = over.code;
        over.madeFrom.route = o.value(4).toString();
        over.madeFrom.destinationKa = o.value(5).toString();
        over.madeFrom.destinationEn = o.value(6).toString();
        over.madeFrom.viaKa = o.value(7).toString();
        over.madeFrom.viaEn = o.value(8).toString();
        over.madeFrom.service = o.value(10).toString();
        v.overrides.push_back(over);
    }
    if (o.lastError().isValid())
        return failed(o);
    return Status::success();
}

Status readFindings(const QSqlDatabase& db, SetVersion& v)
{
    QSqlQuery f(db);
    f.setForwardOnly(true);
    f.prepare(QStringLiteral("SELECT finding FROM version_finding WHERE version = :v ORDER BY position"));
    f.bindValue(QStringLiteral(":v"), v.number);
    if (!f.exec())
        return failed(f);
    while (f.next())
        v.findings << f.value(0).toString();
    if (f.lastError().isValid())
        return failed(f);
    return Status::success();
}

Status countImages(const QSqlDatabase& db, SetVersion& v)
{
    QSqlQuery i(db);
    i.setForwardOnly(true);
    i.prepare(QStringLiteral("SELECT count(*) FROM version_image WHERE version = :v"));
    i.bindValue(QStringLiteral(":v"), v.number);
    if (!i.exec() || !i.next())
        return failed(i);
    v.imageCount = i.value(0).toInt();
    return Status::success();
}

// With `only`, just the images stored as one of those texts are unpacked.
Status readImages(const QSqlDatabase& db, SetVersion& v, const QSet<qint64>* only, VersionImages& images)
{
    QSqlQuery i(db);
    i.setForwardOnly(true);
    i.prepare(QStringLiteral("SELECT i.sign, i.code, i.image, %1, t.sha256 FROM version_image i "
                             "JOIN image_text t ON t.id = i.image WHERE i.version = :v ORDER BY i.position")
                  .arg(storedText("t.text")));
    i.bindValue(QStringLiteral(":v"), v.number);
    if (!i.exec())
        return failed(i);
    while (i.next()) {
        SetVersion::Image one;
        one.sign = i.value(0).toString();
        one.code = i.value(1).toString();
        const qint64 id = i.value(2).toLongLong();
        if (!only || only->contains(id)) {
            const Expected<ImageRecord> record =
                images.image(id, i.value(3).toByteArray(), i.value(4).toByteArray(), QCoreApplication::translate("VersionTable", "the image of %1 on %2: ").arg(one.code, one.sign));
            if (!record)
                return record.status();
            one.image = *record;
        }
        v.images.push_back(std::move(one));
    }
    if (i.lastError().isValid())
        return failed(i);
    v.imageCount = int(v.images.size());
    return Status::success();
}

} // namespace

Status VersionTable::readRows(SetVersion& v, bool images, const QSet<qint64>* only) const
{
    const QString where = QCoreApplication::translate("VersionTable", "version %1: ").arg(v.number);
    VersionImages stored(where);
    Status read = readDestinations(db_, v, where);
    if (read)
        read = readOverrides(db_, v, stored);
    if (read)
        read = readFindings(db_, v);
    if (read)
        read = images ? readImages(db_, v, only, stored) : countImages(db_, v);
    return read;
}

Status VersionTable::checkTexts() const
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT id, sha256, %1 FROM image_text ORDER BY id").arg(storedText("text"))))
        return failed(q);
    while (q.next()) {
        const Expected<QByteArray> text = intact(q.value(2).toByteArray(), q.value(1).toByteArray());
        if (text)
            continue;
        QSqlQuery user(db_);
        user.prepare(QStringLiteral("SELECT version, code, sign FROM version_image WHERE image = :id UNION ALL "
                                    "SELECT version, code, sign FROM version_override WHERE image = :id2 LIMIT 1"));
        const qint64 id = q.value(0).toLongLong();
        user.bindValue(QStringLiteral(":id"), id);
        user.bindValue(QStringLiteral(":id2"), id);
        if (user.exec() && user.next())
            return Status::failure(QCoreApplication::translate("VersionTable", "the image of %1 on %2 in version %3: %4")
                                       .arg(user.value(1).toString(), user.value(2).toString(),
                                            QString::number(user.value(0).toInt()), text.error()));
        return Status::failure(QCoreApplication::translate("VersionTable", "a stored image: ") + text.error());
    }
    return q.lastError().isValid() ? failed(q) : Status::success();
}

Expected<std::vector<SetVersion>> VersionTable::all() const
{
    using Result = Expected<std::vector<SetVersion>>;
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral(
            "SELECT number, time, note, feed_version, added, changed, removed FROM version ORDER BY number")))
        return Result(failed(q));
    std::vector<SetVersion> out;
    while (q.next()) {
        SetVersion v;
        const Status head = readHead(q, v);
        if (!head)
            return Result(head);
        out.push_back(std::move(v));
    }
    if (q.lastError().isValid())
        return Result(failed(q));
    for (SetVersion& v : out) {
        const Status rows = readRows(v, false, nullptr);
        if (!rows)
            return Result(rows);
    }
    return out;
}

Expected<std::optional<SetVersion>> VersionTable::read(int number, bool images, const QSet<qint64>* only) const
{
    using Result = Expected<std::optional<SetVersion>>;
    QSqlQuery q(db_);
    q.prepare(QStringLiteral(
        "SELECT number, time, note, feed_version, added, changed, removed FROM version WHERE number = :n"));
    q.bindValue(QStringLiteral(":n"), number);
    if (!q.exec())
        return Result(failed(q));
    if (!q.next())
        return std::optional<SetVersion>();
    SetVersion v;
    Status fine = readHead(q, v);
    q.finish();
    if (fine)
        fine = readRows(v, images, only);
    if (!fine)
        return Result(fine);
    return std::optional<SetVersion>(std::move(v));
}

Expected<QHash<QString, qint64>> VersionTable::imageTexts(int number) const
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT sign, code, image FROM version_image WHERE version = :v"));
    q.bindValue(QStringLiteral(":v"), number);
    if (!q.exec())
        return Expected<QHash<QString, qint64>>(failed(q));
    QHash<QString, qint64> out;
    while (q.next())
        out.insert(imageKey(q.value(0).toString(), q.value(1).toString()), q.value(2).toLongLong());
    if (q.lastError().isValid())
        return Expected<QHash<QString, qint64>>(failed(q));
    return out;
}

Expected<QHash<QString, VersionTable::Stored>> VersionTable::storedImages(int number) const
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT i.sign, i.code, i.image, t.sha256 FROM version_image i "
                             "JOIN image_text t ON t.id = i.image WHERE i.version = :v"));
    q.bindValue(QStringLiteral(":v"), number);
    if (!q.exec())
        return Expected<QHash<QString, Stored>>(failed(q));
    QHash<QString, Stored> out;
    while (q.next())
        out.insert(imageKey(q.value(0).toString(), q.value(1).toString()),
                   Stored{q.value(2).toLongLong(), q.value(3).toByteArray()});
    if (q.lastError().isValid())
        return Expected<QHash<QString, Stored>>(failed(q));
    return out;
}

QString VersionTable::imageKey(const QString& sign, const QString& code)
{
    return sign.toLower() + QChar(0) + code.toLower();
}

QByteArray VersionTable::hashOf(const ImageRecord& image)
{
    return QCryptographicHash::hash(fileText(image), QCryptographicHash::Sha256);
}

Expected<QString> VersionTable::feedVersion() const
{
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT version FROM feed WHERE id = 1")))
        return Expected<QString>(failed(q));
    return q.next() ? q.value(0).toString() : QString();
}

Status VersionTable::setFeedVersion(const QString& version)
{
    QSqlQuery q(db_);
    q.prepare(QStringLiteral(
        "INSERT INTO feed (id, version) VALUES (1, :v) ON CONFLICT (id) DO UPDATE SET version = excluded.version"));
    q.bindValue(QStringLiteral(":v"), SetSchema::notNull(version));
    return q.exec() ? Status::success() : failed(q);
}

} // namespace vexel
