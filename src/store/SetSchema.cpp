#include "store/SetSchema.h"

#include "store/CopyOrigin.h"
#include "store/ImportMemory.h"
#include "store/ReleaseTable.h"
#include "store/SetCatalogue.h"
#include "store/SetEngine.h"
#include "store/WordTable.h"
#include "store/ScopedConnection.h"
#include "store/ServerWatch.h"
#include "store/SetWords.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace vexel {

namespace {

// The columns of a destination after its code, in the set's table and in a
// released version's alike (string literals join only through the
// preprocessor).
#define DESTINATION_COLUMNS \
    "  route TEXT NOT NULL,\n" \
    "  destination_ka TEXT NOT NULL,\n" \
    "  destination_en TEXT NOT NULL,\n" \
    "  via_ka TEXT NOT NULL,\n" \
    "  via_en TEXT NOT NULL,\n" \
    "  note TEXT NOT NULL,\n" \
    "  in_use INTEGER NOT NULL CHECK (in_use IN (0, 1)),\n" \
    "  latin_suggested INTEGER NOT NULL CHECK (latin_suggested IN (0, 1)),\n"

// Version 1. Codes and sign names name files, so two that differ only in
// case would collide on Windows: NOCASE keeps them apart in the set already.
// Rows keep their explicit ids across VACUUM, which orders the set.
const char* const Version1[] = {
    "CREATE TABLE destination (\n"
    "  id {id},\n"
    "  code TEXT NOT NULL UNIQUE {nocase}CHECK (length(code) BETWEEN 1 AND 200),\n"
    DESTINATION_COLUMNS
    "  CHECK (destination_ka <> '' OR destination_en <> '')\n"
    ")",
    "CREATE TABLE sign (\n"
    "  id {id},\n"
    "  name TEXT NOT NULL UNIQUE {nocase}CHECK (length(name) BETWEEN 1 AND 200),\n"
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
    "  code TEXT NOT NULL {nocase}CHECK (length(code) BETWEEN 1 AND 200),\n"
    DESTINATION_COLUMNS
    "  PRIMARY KEY (version, position),\n"
    "  UNIQUE (version, code)\n"
    ")",
    "CREATE TABLE image_text (\n"
    "  id {id},\n"
    "  sha256 {blob} NOT NULL UNIQUE,\n"
    "  text {blob} NOT NULL\n"
    ")",
    "CREATE TABLE version_image (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  sign TEXT NOT NULL {nocase}CHECK (length(sign) BETWEEN 1 AND 200),\n"
    "  code TEXT NOT NULL {nocase}CHECK (length(code) BETWEEN 1 AND 200),\n"
    "  image INTEGER NOT NULL REFERENCES image_text (id),\n"
    "  PRIMARY KEY (version, position),\n"
    "  UNIQUE (version, sign, code)\n"
    ")",
    "CREATE TABLE version_override (\n"
    "  version INTEGER NOT NULL REFERENCES version (number),\n"
    "  position INTEGER NOT NULL,\n"
    "  sign TEXT NOT NULL {nocase}CHECK (length(sign) BETWEEN 1 AND 200),\n"
    "  code TEXT NOT NULL {nocase}CHECK (length(code) BETWEEN 1 AND 200),\n"
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

#undef DESTINATION_COLUMNS

// Version 3: what lettering and the legibility audit need beyond the texts.
// A sign's LED pitch and place on the vehicle; the set's word lists
// (abbreviations per script, words kept in capitals, the separators that
// split "X via Y"), which apply to every destination; and the legibility
// findings of each release, kept so a version is written again as it was.
const char* const Version3[] = {
    "ALTER TABLE sign ADD COLUMN pitch_mm {real} NOT NULL DEFAULT 0 CHECK (pitch_mm BETWEEN 0 AND 100)",
    "ALTER TABLE sign ADD COLUMN place TEXT NOT NULL DEFAULT '' "
    "CHECK (place IN ('', 'front', 'side', 'rear', 'interior'))",
    "CREATE TABLE abbreviation (\n"
    "  script TEXT NOT NULL CHECK (script IN ('ka', 'en')),\n"
    "  word TEXT NOT NULL CHECK (length(word) BETWEEN 1 AND 200),\n"
    "  short TEXT NOT NULL CHECK (length(short) BETWEEN 1 AND 200),\n"
    "  PRIMARY KEY (script, word){seq}\n"
    ")",
    "CREATE TABLE upper_word (\n"
    "  word TEXT NOT NULL PRIMARY KEY CHECK (length(word) BETWEEN 1 AND 200){seq}\n"
    ")",
    "CREATE TABLE via_separator (\n"
    "  text TEXT NOT NULL PRIMARY KEY CHECK (length(text) BETWEEN 1 AND 200){seq}\n"
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

QString SetSchema::message(const QSqlError& error)
{
    // A server that went silent and was given up says so, rather than
    // that it closed the connection.
    const QString silence = ServerWatch::note();
    if (!silence.isEmpty())
        return silence;
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QCoreApplication::translate("SetSchema", "the database gave no reason") : text;

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
        return Expected<qint64>::failure("PRAGMA " + name + " gave no value");
    return query.value(0).toLongLong();
}

namespace {

Status runAll(QSqlDatabase& db, const SetEngine& engine, const char* const* statements, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Status made = engine.run(db, statements[i]);
        if (!made)
            return made;
    }
    return Status::success();
}

template <std::size_t N>
Status runAll(QSqlDatabase& db, const SetEngine& engine, const char* const (&statements)[N])
{
    return runAll(db, engine, statements, N);
}

// Version 4: several editors at once. Codes and sign names are matched by a
// key the program folds (QString::toLower), the same on every engine and
// locale; every editable row carries a revision, so an edit made from a
// stale reading is refused; each destination keeps a history of who changed
// what, from which station and when.
const char* const Version4Columns[] = {
    "ALTER TABLE destination ADD COLUMN code_key TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE destination ADD COLUMN revision INTEGER NOT NULL DEFAULT 1 CHECK (revision >= 1)",
    "ALTER TABLE destination ADD COLUMN changed_by TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE destination ADD COLUMN changed_at TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE sign ADD COLUMN name_key TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE sign ADD COLUMN revision INTEGER NOT NULL DEFAULT 1 CHECK (revision >= 1)",
    "ALTER TABLE override ADD COLUMN revision INTEGER NOT NULL DEFAULT 1 CHECK (revision >= 1)",
    "CREATE TABLE destination_history (\n"
    "  id {id},\n"
    "  code_key TEXT NOT NULL,\n"
    "  code TEXT NOT NULL,\n"
    "  time TEXT NOT NULL,\n"
    "  station TEXT NOT NULL,\n"
    "  db_user TEXT NOT NULL,\n"
    "  what TEXT NOT NULL\n"
    ")",
    "CREATE INDEX destination_history_key ON destination_history (code_key, id)",
};

const char* const Version4Keys[] = {
    "CREATE UNIQUE INDEX destination_by_code_key ON destination (code_key)",
    "CREATE UNIQUE INDEX sign_by_name_key ON sign (name_key)",
};

// Fills the key column of every row; two names that fold alike cannot both
// stay, and are named.
Status foldKeys(QSqlDatabase& db, const QString& table, const QString& column, const QString& key)
{
    QSqlQuery read(db);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT id, %1 FROM %2 ORDER BY id").arg(column, table)))
        return Status::failure(SetSchema::message(read.lastError()));
    std::vector<std::pair<qint64, QString>> rows;
    while (read.next())
        rows.emplace_back(read.value(0).toLongLong(), read.value(1).toString());
    read.finish();
    std::map<QString, QString> seen;
    QSqlQuery write(db);
    write.prepare(QStringLiteral("UPDATE %1 SET %2 = :key WHERE id = :id").arg(table, key));
    for (const auto& [id, name] : rows) {
        const QString folded = SetSchema::key(name);
        const auto [at, fresh] = seen.emplace(folded, name);
        if (!fresh)
            return Status::failure(
                QStringLiteral("\"%1\" and \"%2\" differ only in case").arg(at->second, name));
        write.bindValue(QStringLiteral(":key"), folded);
        write.bindValue(QStringLiteral(":id"), id);
        if (!write.exec())
            return Status::failure(SetSchema::message(write.lastError()));
    }
    return Status::success();
}

Status stepToKeysAndHistory(QSqlDatabase& db, const SetEngine& engine)
{
    Status done = runAll(db, engine, Version4Columns);
    if (done)
        done = foldKeys(db, QStringLiteral("destination"), QStringLiteral("code"), QStringLiteral("code_key"));
    if (done)
        done = foldKeys(db, QStringLiteral("sign"), QStringLiteral("name"), QStringLiteral("name_key"));
    return done ? runAll(db, engine, Version4Keys) : done;
}

// Version 8: what an import keeps of a feed beyond the sign texts. A
// destination's service ("Select Bus"), wherever its texts are kept; the
// word lists imports and lettering read beside the first three (service
// words, phrases a break must not split); the words kept in capitals that a
// set starts with; and, in
// imported_text, the service and where a destination came from.
const char* const Version8[] = {
    "ALTER TABLE destination ADD COLUMN service TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE override ADD COLUMN service TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE version_destination ADD COLUMN service TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE version_override ADD COLUMN service TEXT NOT NULL DEFAULT ''",
    "CREATE TABLE service_word (\n"
    "  word TEXT NOT NULL PRIMARY KEY CHECK (length(word) BETWEEN 1 AND 200){seq}\n"
    ")",
    "CREATE TABLE keep_together (\n"
    "  phrase TEXT NOT NULL PRIMARY KEY CHECK (length(phrase) BETWEEN 1 AND 200){seq}\n"
    ")",
};

// Rows of one column, each once; "ON CONFLICT" passes over a word there already.
Status insertWords(QSqlDatabase& db, const QString& sql, const QStringList& words)
{
    QSqlQuery add(db);
    if (!add.prepare(sql))
        return Status::failure(SetSchema::message(add.lastError()));
    for (const QString& word : words) {
        add.bindValue(0, word);
        if (!add.exec())
            return Status::failure(SetSchema::message(add.lastError()));
    }
    return Status::success();
}

Status stepToServiceAndOrigins(QSqlDatabase& db, const SetEngine& engine)
{
    const SetWords start;
    Status done = runAll(db, engine, Version8);
    if (done)
        done = insertWords(db, QStringLiteral("INSERT INTO service_word (word) VALUES (?)"), start.serviceWords);
    // A set made before kept no word in capitals unless told; it has the
    // common ones now, after its own.
    if (done)
        done = insertWords(db, QStringLiteral("INSERT INTO upper_word (word) VALUES (?) ON CONFLICT DO NOTHING"),
                           start.upperWords);
    return done ? ImportMemory::addOriginFields(db) : done;
}

// Version 9: the word a via frame starts with, one row per script; a set
// made before gets the words a new set starts with.
const char* const Version9[] = {
    "CREATE TABLE via_word (\n"
    "  script TEXT NOT NULL PRIMARY KEY CHECK (script IN ('ka', 'en')),\n"
    "  word TEXT NOT NULL CHECK (length(word) BETWEEN 1 AND 200)\n"
    ")",
};

Status stepToViaWords(QSqlDatabase& db, const SetEngine& engine)
{
    const Status made = runAll(db, engine, Version9);
    return made ? WordTable(db).writeViaWords(SetWords()) : made;
}

// Version 10: the rules that code a set's destinations, one row per rule;
// so far the suffix of a direction's other headsigns ("B41-2"). A set made
// before gets the rule its imports used.
const char* const Version10[] = {
    "CREATE TABLE code_rule (\n"
    "  rule TEXT NOT NULL PRIMARY KEY CHECK (rule IN ('variant')),\n"
    "  pattern TEXT NOT NULL CHECK (length(pattern) BETWEEN 1 AND 20)\n"
    ")",
};

Status stepToCodeRules(QSqlDatabase& db, const SetEngine& engine)
{
    const Status made = runAll(db, engine, Version10);
    return made ? WordTable(db).writeCodeRules(SetWords()) : made;
}

} // namespace

Status SetSchema::step(QSqlDatabase& db, int from)
{
    const SetEngine& engine = SetEngine::of(db);
    switch (from) {
    case 0: {
        const Status made = runAll(db, engine, Version1);
        return made ? engine.mark(db) : made;
    }
    case 1:
        return runAll(db, engine, Version2);
    case 2:
        return runAll(db, engine, Version3);
    case 3:
        return stepToKeysAndHistory(db, engine);
    case 4:
        return ReleaseTable::makeTables(db);
    case 5:
        return CopyOrigin::makeTables(db);
    case 6:
        return ImportMemory::makeTables(db);
    case 7:
        return stepToServiceAndOrigins(db, engine);
    case 8:
        return stepToViaWords(db, engine);
    case 9:
        return stepToCodeRules(db, engine);
    default:
        return Status::failure(QCoreApplication::translate("SetSchema", "there is no step from set version %1").arg(from));
    }
}

Status SetSchema::migrate(QSqlDatabase& db, int from)
{
    for (int v = from; v < Version; ++v) {
        const Status stepped = step(db, v);
        if (!stepped)
            return stepped;
    }
    return SetEngine::of(db).setVersion(db, Version);
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
    Expected<std::vector<Object>> result = Expected<std::vector<Object>>::failure("no schema");
    {
        const ScopedConnection memory = ScopedConnection::sqlite("set-schema", QStringLiteral(":memory:"));
        QSqlDatabase db = memory.db();
        if (!db.open()) {
            result = Expected<std::vector<Object>>::failure(message(db.lastError()));
        } else {
            Status stepped = Status::success();
            for (int v = 0; v < version && stepped; ++v)
                stepped = step(db, v);
            result = stepped ? objects(db) : Expected<std::vector<Object>>(stepped);
        }
    }
    if (result)
        made[version] = *result;
    return result;
}

Status SetSchema::compare(const QSqlDatabase& db, int version)
{
    if (SetEngine::of(db).onServer()) {
        QSqlDatabase server = db;
        const Expected<SetCatalogue::Findings> found = SetCatalogue::check(server, version);
        if (!found)
            return found.status();
        return found->foreign.isEmpty() ? Status::success() : Status::failure(found->foreign);
    }
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
                QCoreApplication::translate("SetSchema", "its %1 \"%2\" is not the one a destination set has").arg(o.type, o.name));
        return Status::failure(
            QCoreApplication::translate("SetSchema", "it carries a %1 \"%2\" of its own, which a destination set never has")
                .arg(o.type, o.name));
    }
    // A missing table is named before the indexes it takes with it.
    for (const bool tables : {true, false})
        for (const Object& w : *want)
            if ((w.type == QLatin1String("table")) == tables && std::find(have->begin(), have->end(), w) == have->end())
                return Status::failure(QCoreApplication::translate("SetSchema", "it has no %1 \"%2\"").arg(w.type, w.name));
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
