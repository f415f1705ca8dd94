#include "store/WordTable.h"

#include "depot/FileStem.h"
#include "store/SetEngine.h"
#include "store/SetSchema.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace vexel {

namespace {

bool wordLength(const QString& word)
{
    return !word.isEmpty() && word.size() <= SetWords::MaxWordLength;
}

// One word list, with the sentences that say what is wrong with an entry
// of it (each whole, for the windows to translate).
struct WordList {
    const char* table;
    const char* column;
    QStringList SetWords::*list;
    const char* tooLong;    // %1: the longest a word may be
    const char* spacesOnly;
    const char* twice;      // %1: the entry
};

const WordList wordLists[] = {
    {"upper_word", "word", &SetWords::upperWords,
     QT_TRANSLATE_NOOP("WordTable", "a word kept in capitals must be 1 to %1 characters"),
     QT_TRANSLATE_NOOP("WordTable", "a word kept in capitals of spaces only would match every text"),
     QT_TRANSLATE_NOOP("WordTable", "the word kept in capitals \"%1\" is there twice")},
    {"via_separator", "text", &SetWords::viaSeparators,
     QT_TRANSLATE_NOOP("WordTable", "a via separator must be 1 to %1 characters"),
     QT_TRANSLATE_NOOP("WordTable", "a via separator of spaces only would match every text"),
     QT_TRANSLATE_NOOP("WordTable", "the via separator \"%1\" is there twice")},
    {"service_word", "word", &SetWords::serviceWords,
     QT_TRANSLATE_NOOP("WordTable", "a service word must be 1 to %1 characters"),
     QT_TRANSLATE_NOOP("WordTable", "a service word of spaces only would match every text"),
     QT_TRANSLATE_NOOP("WordTable", "the service word \"%1\" is there twice")},
    {"keep_together", "phrase", &SetWords::keepTogether,
     QT_TRANSLATE_NOOP("WordTable", "a phrase kept together must be 1 to %1 characters"),
     QT_TRANSLATE_NOOP("WordTable", "a phrase kept together of spaces only would match every text"),
     QT_TRANSLATE_NOOP("WordTable", "the phrase kept together \"%1\" is there twice")},
};

QString said(const char* english) { return QCoreApplication::translate("WordTable", english); }

// A direction's other headsigns are coded "<route><suffix>": the suffix a
// few characters a file name may hold, its number at most once.
QString checkVariantSuffix(const QString& pattern)
{
    if (pattern.isEmpty() || pattern.size() > SetWords::MaxSuffixLength)
        return said(QT_TRANSLATE_NOOP("WordTable", "the suffix of other headsigns' codes must be 1 to %1 characters"))
            .arg(SetWords::MaxSuffixLength);
    if (pattern.count(QLatin1String("%n")) > 1)
        return said(QT_TRANSLATE_NOOP("WordTable", "the suffix of other headsigns' codes may place their number only once"));
    const QString code = QStringLiteral("B41") + SetWords::variantCode(pattern, 2);
    const bool spaced = std::any_of(pattern.begin(), pattern.end(), [](QChar c) { return c.isSpace(); });
    if (spaced || !FileStem::check(code, QStringLiteral("the code")).ok())
        return said(QT_TRANSLATE_NOOP("WordTable", "the suffix \"%1\" would make codes that cannot name a file (\"%2\")"))
            .arg(pattern, code);
    return {};
}

} // namespace

QString WordTable::check(const SetWords& words)
{
    std::size_t entries = words.abbreviations.size();
    for (const WordList& l : wordLists)
        entries += static_cast<std::size_t>((words.*l.list).size());
    if (entries > static_cast<std::size_t>(SetWords::MaxEntries))
        return said(QT_TRANSLATE_NOOP("WordTable", "the word lists hold more than %1 entries")).arg(SetWords::MaxEntries);
    std::set<std::pair<QString, QString>> abbreviated;
    for (const SetWords::Abbreviation& a : words.abbreviations) {
        if (a.script != QLatin1String("ka") && a.script != QLatin1String("en"))
            return said(QT_TRANSLATE_NOOP("WordTable", "the abbreviation of \"%1\" is for the script \"%2\", not ka or en"))
                .arg(a.word, a.script);
        if (!wordLength(a.word) || !wordLength(a.shortForm))
            return said(QT_TRANSLATE_NOOP("WordTable", "an abbreviation needs a word and its short form, each 1 to %1 characters"))
                .arg(SetWords::MaxWordLength);
        if (!abbreviated.insert({a.script, a.word}).second)
            return said(QT_TRANSLATE_NOOP("WordTable", "\"%1\" is abbreviated twice")).arg(a.word);
    }
    for (const QString& via : {words.viaWordLatin, words.viaWordGeorgian}) {
        if (!wordLength(via))
            return said(QT_TRANSLATE_NOOP("WordTable", "a via word must be 1 to %1 characters")).arg(SetWords::MaxWordLength);
        if (via.trimmed().isEmpty())
            return said(QT_TRANSLATE_NOOP("WordTable", "a via word of spaces only shows nothing"));
    }
    if (const QString rule = checkVariantSuffix(words.variantSuffix); !rule.isEmpty())
        return rule;
    for (const WordList& l : wordLists) {
        std::set<QString> seen;
        for (const QString& w : words.*l.list) {
            if (!wordLength(w))
                return said(l.tooLong).arg(SetWords::MaxWordLength);
            if (w.trimmed().isEmpty())
                return said(l.spacesOnly);
            if (!seen.insert(w).second)
                return said(l.twice).arg(w);
        }
    }
    return {};
}

Expected<SetWords> WordTable::read() const
{
    SetWords words;
    for (const WordList& l : wordLists)
        (words.*l.list).clear();
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    const SetEngine& engine = SetEngine::of(db_);
    if (!query.exec(engine.sql("SELECT script, word, short FROM abbreviation ORDER BY {rowid}")))
        return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
    while (query.next())
        words.abbreviations.push_back(
            {query.value(0).toString(), query.value(1).toString(), query.value(2).toString()});
    for (const WordList& l : wordLists) {
        if (!query.exec(engine.sql(QStringLiteral("SELECT %1 FROM %2 ORDER BY {rowid}")
                                       .arg(QLatin1String(l.column), QLatin1String(l.table)))))
            return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
        while (query.next())
            (words.*l.list).append(query.value(0).toString());
    }
    if (!query.exec(QStringLiteral("SELECT script, word FROM via_word")))
        return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
    while (query.next())
        (query.value(0).toString() == QLatin1String("ka") ? words.viaWordGeorgian : words.viaWordLatin) =
            query.value(1).toString();
    if (!query.exec(QStringLiteral("SELECT rule, pattern FROM code_rule")))
        return Expected<SetWords>::failure(SetSchema::message(query.lastError()));
    while (query.next())
        if (query.value(0).toString() == QLatin1String("variant"))
            words.variantSuffix = query.value(1).toString();
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
    const Status via = writeViaWords(words);
    if (!via)
        return via;
    const Status rules = writeCodeRules(words);
    if (!rules)
        return rules;
    QStringList tables{QStringLiteral("abbreviation")};
    for (const WordList& l : wordLists)
        tables << QLatin1String(l.table);
    for (const QString& table : tables) {
        const Status cleared = SetSchema::run(db_, QStringLiteral("DELETE FROM ") + table);
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
    for (const WordList& l : wordLists) {
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(QLatin1String(l.table), QLatin1String(l.column)));
        for (const QString& w : words.*l.list) {
            query.bindValue(0, w);
            if (!query.exec())
                return Status::failure(SetSchema::message(query.lastError()));
        }
    }
    return Status::success();
}

namespace {

// The rows of a one-row-per-key table replaced by `rows`, each bound to
// `insert`'s placeholders in order; the caller holds the transaction.
Status replaceRows(QSqlDatabase& db, const char* table, const QString& insert, const std::vector<QVariantList>& rows)
{
    const Status cleared = SetSchema::run(db, QStringLiteral("DELETE FROM ") + QLatin1String(table));
    if (!cleared)
        return cleared;
    QSqlQuery query(db);
    if (!query.prepare(insert))
        return Status::failure(SetSchema::message(query.lastError()));
    for (const QVariantList& row : rows) {
        for (int i = 0; i < row.size(); ++i)
            query.bindValue(i, row[i]);
        if (!query.exec())
            return Status::failure(SetSchema::message(query.lastError()));
    }
    return Status::success();
}

} // namespace

Status WordTable::writeViaWords(const SetWords& words)
{
    return replaceRows(db_, "via_word", QStringLiteral("INSERT INTO via_word (script, word) VALUES (?, ?)"),
                       {{QStringLiteral("en"), words.viaWordLatin}, {QStringLiteral("ka"), words.viaWordGeorgian}});
}

Status WordTable::writeCodeRules(const SetWords& words)
{
    return replaceRows(db_, "code_rule", QStringLiteral("INSERT INTO code_rule (rule, pattern) VALUES (?, ?)"),
                       {{QStringLiteral("variant"), words.variantSuffix}});
}

} // namespace vexel
