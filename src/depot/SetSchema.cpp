#include "depot/SetSchema.h"

#include "depot/ReleaseTable.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>
#include <tuple>

namespace vexel {

namespace {

// Version 1. Codes and sign names name files, so two that differ only in
// case would collide on Windows: NOCASE keeps them apart in the set already.
// Rows keep their explicit ids across VACUUM, which orders the set.
const char* const Version1[] = {
    "CREATE TABLE destination (\n"
    "  id INTEGER PRIMARY KEY,\n"
    "  code TEXT NOT NULL UNIQUE COLLATE NOCASE CHECK (length(code) BETWEEN 1 AND 200),\n"
    "  route TEXT NOT NULL,\n"
    "  destination_ka TEXT NOT NULL,\n"
    "  destination_en TEXT NOT NULL,\n"
    "  via_ka TEXT NOT NULL,\n"
    "  via_en TEXT NOT NULL,\n"
    "  note TEXT NOT NULL,\n"
    "  in_use INTEGER NOT NULL CHECK (in_use IN (0, 1)),\n"
    "  latin_suggested INTEGER NOT NULL CHECK (latin_suggested IN (0, 1)),\n"
    "  CHECK (destination_ka <> '' OR destination_en <> '')\n"
    ")",
    "CREATE TABLE sign (\n"
    "  id INTEGER PRIMARY KEY,\n"
    "  name TEXT NOT NULL UNIQUE COLLATE NOCASE CHECK (length(name) BETWEEN 1 AND 200),\n"
    "  width INTEGER NOT NULL CHECK (width BETWEEN 1 AND 488),\n"
    "  height INTEGER NOT NULL CHECK (height BETWEEN 1 AND 100),\n"
    "  layout TEXT NOT NULL\n"
    ")",
    "CREATE TABLE override (\n"
    "  destination_id INTEGER NOT NULL REFERENCES destination (id) ON DELETE CASCADE,\n"
    "  sign_id INTEGER NOT NULL REFERENCES sign (id) ON DELETE CASCADE,\n"
    "  image TEXT NOT NULL,\n"
    "  route TEXT NOT NULL,\n"
    "  destination_ka TEXT NOT NULL,\n"
    "  destination_en TEXT NOT NULL,\n"
    "  via_ka TEXT NOT NULL,\n"
    "  via_en TEXT NOT NULL,\n"
    "  PRIMARY KEY (destination_id, sign_id)\n"
    ")",
};

// Version 2: the releases. A version keeps its destinations and overrides as
// they were released and the image of every destination on every sign. Image
// texts are stored once however many versions and signs share them
// (compressed, keyed by their SHA-256), so a set of hundreds of destinations
// released many times stays small, and two versions compare by image id.
// The feed row remembers which transit feed the set's texts came from.
const char* const Version2[] = {
    "CREATE TABLE version (\n"
    "  number INTEGER PRIMARY KEY CHECK (number >= 1),\n"
    "  time TEXT NOT NULL,\n"
    "  note TEXT NOT NULL,\n"
    "  feed_version TEXT NOT NULL,\n"
    "  added INTEGER NOT NULL,\n"
    "  changed INTEGER NOT NULL,\n"
    "  removed INTEGER NOT NULL\n"
    ")",
    "CREATE TABLE version_destination (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  code TEXT NOT NULL COLLATE NOCASE CHECK (length(code) BETWEEN 1 AND 200),\n"
    "  route TEXT NOT NULL,\n"
    "  destination_ka TEXT NOT NULL,\n"
    "  destination_en TEXT NOT NULL,\n"
    "  via_ka TEXT NOT NULL,\n"
    "  via_en TEXT NOT NULL,\n"
    "  note TEXT NOT NULL,\n"
    "  in_use INTEGER NOT NULL CHECK (in_use IN (0, 1)),\n"
    "  latin_suggested INTEGER NOT NULL CHECK (latin_suggested IN (0, 1)),\n"
    "  PRIMARY KEY (version, position),\n"
    "  UNIQUE (version, code)\n"
    ")",
    "CREATE TABLE image_text (\n"
    "  id INTEGER PRIMARY KEY,\n"
    "  sha256 BLOB NOT NULL UNIQUE,\n"
    "  text BLOB NOT NULL\n"
    ")",
    "CREATE TABLE version_image (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  sign TEXT NOT NULL COLLATE NOCASE CHECK (length(sign) BETWEEN 1 AND 200),\n"
    "  code TEXT NOT NULL COLLATE NOCASE CHECK (length(code) BETWEEN 1 AND 200),\n"
    "  image INTEGER NOT NULL REFERENCES image_text (id),\n"
    "  PRIMARY KEY (version, position),\n"
    "  UNIQUE (version, sign, code)\n"
    ")",
    "CREATE TABLE version_override (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  sign TEXT NOT NULL COLLATE NOCASE CHECK (length(sign) BETWEEN 1 AND 200),\n"
    "  code TEXT NOT NULL COLLATE NOCASE CHECK (length(code) BETWEEN 1 AND 200),\n"
    "  image INTEGER NOT NULL REFERENCES image_text (id),\n"
    "  route TEXT NOT NULL,\n"
    "  destination_ka TEXT NOT NULL,\n"
    "  destination_en TEXT NOT NULL,\n"
    "  via_ka TEXT NOT NULL,\n"
    "  via_en TEXT NOT NULL,\n"
    "  PRIMARY KEY (version, position),\n"
    "  UNIQUE (version, sign, code)\n"
    ")",
    "CREATE TABLE feed (\n"
    "  id INTEGER PRIMARY KEY CHECK (id = 1),\n"
    "  version TEXT NOT NULL\n"
    ")",
};

// Version 3: what lettering and the legibility audit need beyond the texts.
// A sign's LED pitch and place on the vehicle; the set's word lists
// (abbreviations per script, words kept in capitals, the separators that
// split "X via Y"), which apply to every destination; and the legibility
// findings of each release, kept so a version is written again as it was.
const char* const Version3[] = {
    "ALTER TABLE sign ADD COLUMN pitch_mm REAL NOT NULL DEFAULT 0 CHECK (pitch_mm BETWEEN 0 AND 100)",
    "ALTER TABLE sign ADD COLUMN place TEXT NOT NULL DEFAULT '' "
    "CHECK (place IN ('', 'front', 'side', 'rear', 'interior'))",
    "CREATE TABLE abbreviation (\n"
    "  script TEXT NOT NULL CHECK (script IN ('ka', 'en')),\n"
    "  word TEXT NOT NULL CHECK (length(word) BETWEEN 1 AND 200),\n"
    "  short TEXT NOT NULL CHECK (length(short) BETWEEN 1 AND 200),\n"
    "  PRIMARY KEY (script, word)\n"
    ")",
    "CREATE TABLE upper_word (\n"
    "  word TEXT NOT NULL PRIMARY KEY CHECK (length(word) BETWEEN 1 AND 200)\n"
    ")",
    "CREATE TABLE via_separator (\n"
    "  text TEXT NOT NULL PRIMARY KEY CHECK (length(text) BETWEEN 1 AND 200)\n"
    ")",
    "INSERT INTO via_separator (text) VALUES (' via ')",
    "CREATE TABLE version_finding (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  finding TEXT NOT NULL,\n"
    "  PRIMARY KEY (version, position)\n"
    ")",
};

} // namespace

std::string SetSchema::message(const QSqlError& error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? std::string("the database gave no reason") : text.toStdString();
}

Status SetSchema::run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery query(db);
    if (!query.exec(sql))
        return Status::failure(message(query.lastError()));
    return Status::success();
}

Expected<qint64> SetSchema::pragma(const QSqlDatabase& db, const QString& name)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA ") + name))
        return Expected<qint64>::failure(message(query.lastError()));
    if (!query.next())
        return Expected<qint64>::failure("PRAGMA " + name.toStdString() + " gave no value");
    return query.value(0).toLongLong();
}

Status SetSchema::step(QSqlDatabase& db, int from)
{
    switch (from) {
    case 0:
        for (const char* sql : Version1) {
            const Status made = run(db, QString::fromLatin1(sql));
            if (!made)
                return made;
        }
        return run(db, QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId));
    case 1:
        for (const char* sql : Version2) {
            const Status made = run(db, QString::fromLatin1(sql));
            if (!made)
                return made;
        }
        return Status::success();
    case 2:
        for (const char* sql : Version3) {
            const Status made = run(db, QString::fromLatin1(sql));
            if (!made)
                return made;
        }
        return Status::success();
    case 3:
        return ReleaseTable::makeTables(db);
    default:
        return Status::failure("there is no step from set version " + std::to_string(from));
    }
}

Status SetSchema::migrate(QSqlDatabase& db, int from)
{
    for (int v = from; v < Version; ++v) {
        const Status stepped = step(db, v);
        if (!stepped)
            return stepped;
    }
    return run(db, QStringLiteral("PRAGMA user_version = %1").arg(Version));
}

Expected<std::vector<SetSchema::Object>> SetSchema::objects(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master")))
        return Expected<std::vector<Object>>::failure(message(query.lastError()));
    std::vector<Object> out;
    while (query.next()) {
        Object o{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                 query.value(3).toString()};
        // ANALYZE's tables steer only the query planner.
        if (o.type == QLatin1String("table") && o.name.startsWith(QLatin1String("sqlite_stat")))
            continue;
        out.push_back(o);
    }
    std::sort(out.begin(), out.end());
    return out;
}

Expected<std::vector<SetSchema::Object>> SetSchema::expected(int version)
{
    static std::map<int, std::vector<Object>> made;
    const auto found = made.find(version);
    if (found != made.end())
        return found->second;
    const QString name = QStringLiteral("vexel-set-schema-%1").arg(version);
    Expected<std::vector<Object>> result = Expected<std::vector<Object>>::failure("no schema");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (!db.open()) {
            result = Expected<std::vector<Object>>::failure(message(db.lastError()));
        } else {
            Status stepped = Status::success();
            for (int v = 0; v < version && stepped; ++v)
                stepped = step(db, v);
            result = stepped ? objects(db) : Expected<std::vector<Object>>(stepped);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (result)
        made[version] = *result;
    return result;
}

Status SetSchema::compare(const QSqlDatabase& db, int version)
{
    const Expected<std::vector<Object>> want = expected(version);
    if (!want)
        return want.status();
    const Expected<std::vector<Object>> have = objects(db);
    if (!have)
        return have.status();
    for (const Object& o : *have) {
        const auto same = std::find(want->begin(), want->end(), o);
        if (same != want->end())
            continue;
        const bool known = std::any_of(want->begin(), want->end(),
                                       [&](const Object& w) { return w.type == o.type && w.name == o.name; });
        if (known)
            return Status::failure(
                QStringLiteral("its %1 \"%2\" is not the one a destination set has").arg(o.type, o.name).toStdString());
        return Status::failure(
            QStringLiteral("it carries a %1 \"%2\" of its own, which a destination set never has")
                .arg(o.type, o.name)
                .toStdString());
    }
    // A missing table is named before the indexes it takes with it.
    for (const bool tables : {true, false})
        for (const Object& w : *want)
            if ((w.type == QLatin1String("table")) == tables && std::find(have->begin(), have->end(), w) == have->end())
                return Status::failure(QStringLiteral("it has no %1 \"%2\"").arg(w.type, w.name).toStdString());
    return Status::success();
}

bool SetSchema::flag(const QVariant& v, bool& out)
{
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    if (!ok || (n != 0 && n != 1))
        return false;
    out = n == 1;
    return true;
}

} // namespace vexel
