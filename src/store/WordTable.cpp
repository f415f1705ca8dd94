#include "store/WordTable.h"

#include "store/SetEngine.h"
#include "store/SetSchema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <set>
#include <utility>

namespace vexel {

namespace {

bool wordLength(const QString& word)
{
    return !word.isEmpty() && word.size() <= SetWords::MaxWordLength;
}

} // namespace

QString WordTable::check(const SetWords& words)
{
    if (words.abbreviations.size() + static_cast<size_t>(words.upperWords.size()) +
            static_cast<size_t>(words.viaSeparators.size()) >
        static_cast<size_t>(SetWords::MaxEntries))
        return QStringLiteral("the word lists hold more than %1 entries").arg(SetWords::MaxEntries);
    std::set<std::pair<QString, QString>> abbreviated;
    for (const SetWords::Abbreviation& a : words.abbreviations) {
        if (a.script != QLatin1String("ka") && a.script != QLatin1String("en"))
            return QStringLiteral("the abbreviation of \"%1\" is for the script \"%2\", not ka or en")
                .arg(a.word, a.script);
        if (!wordLength(a.word) || !wordLength(a.shortForm))
            return QStringLiteral("an abbreviation needs a word and its short form, each 1 to %1 characters")
                .arg(SetWords::MaxWordLength);
        if (!abbreviated.insert({a.script, a.word}).second)
            return QStringLiteral("\"%1\" is abbreviated twice").arg(a.word);
    }
    const std::pair<const QStringList*, const char*> lists[] = {{&words.upperWords, "word kept in capitals"},
                                                                {&words.viaSeparators, "via separator"}};
    for (const auto& [list, what] : lists) {
        std::set<QString> seen;
        for (const QString& w : *list) {
            if (!wordLength(w))
                return QStringLiteral("a %1 must be 1 to %2 characters")
                    .arg(QLatin1String(what))
                    .arg(SetWords::MaxWordLength);
            if (list == &words.viaSeparators && w.trimmed().isEmpty())
                return QStringLiteral("a via separator of spaces only would split every text");
            if (!seen.insert(w).second)
                return QStringLiteral("the %1 \"%2\" is there twice").arg(QLatin1String(what), w);
        }
    }
    return {};
}

Expected<SetWords> WordTable::read() const
{
    SetWords words;
    words.viaSeparators.clear();
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    const SetEngine& engine = SetEngine::of(db_);
    if (!query.exec(engine.sql("SELECT script, word, short FROM abbreviation ORDER BY {rowid}")))
        return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
    while (query.next())
        words.abbreviations.push_back(
            {query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    const std::pair<const char*, QStringList*> lists[] = {
        {"SELECT word FROM upper_word ORDER BY {rowid}", &words.upperWords},
        {"SELECT text FROM via_separator ORDER BY {rowid}", &words.viaSeparators}};
    for (const auto& [sql, list] : lists) {
        if (!query.exec(engine.sql(sql)))
            return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
        while (query.next())
            list->append(query.value(0).toString());
    }
    if (query.lastError().isValid())
        return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
    const QString fault = check(words);
    if (!fault.isEmpty())
        return Expected<SetWords>::failure(("word lists: " + fault));
    return words;
}

Status WordTable::write(const SetWords& words)
{
    const QString fault = check(words);
    if (!fault.isEmpty())
        return Status::failure(fault);
    for (const char* sql : {"DELETE FROM abbreviation", "DELETE FROM upper_word", "DELETE FROM via_separator"}) {
        const Status cleared = SetSchema::run(db_, QLatin1String(sql));
        if (!cleared)
            return cleared;
    }
    QSqlQuery query(db_);
    query.prepare(QStringLiteral("INSERT INTO abbreviation (script, word, short) VALUES (?, ?, ?)"));
    for (const SetWords::Abbreviation& a : words.abbreviations) {
        query.bindValue(0, a.script);
        query.bindValue(1, a.word);
        query.bindValue(2, a.shortForm);
        if (!query.exec())
            return Status::failure(SetSchema::message(query.lastError()));
    }
    const std::pair<const char*, const QStringList*> lists[] = {
        {"INSERT INTO upper_word (word) VALUES (?)", &words.upperWords},
        {"INSERT INTO via_separator (text) VALUES (?)", &words.viaSeparators}};
    for (const auto& [sql, list] : lists) {
        query.prepare(QLatin1String(sql));
        for (const QString& w : *list) {
            query.bindValue(0, w);
            if (!query.exec())
                return Status::failure(SetSchema::message(query.lastError()));
        }
    }
    return Status::success();
}

} // namespace vexel
