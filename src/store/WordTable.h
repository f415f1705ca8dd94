#pragma once

#include "store/SetWords.h"
#include "document/Result.h"

#include <QSqlDatabase>

namespace vexel {

// The word lists of an open set. Rows read are checked as entries written
// are: the file may come from anywhere.
class WordTable {
public:
    explicit WordTable(QSqlDatabase db) : db_(std::move(db)) {}

    Expected<SetWords> read() const;
    // Replaces every list; the caller holds the transaction.
    Status write(const SetWords& words);
    // Replaces only the via words; the step that makes their table uses it.
    Status writeViaWords(const SetWords& words);
    // Replaces only the code rules, likewise.
    Status writeCodeRules(const SetWords& words);

    // Why an entry cannot be kept, or empty: the length of a word, the
    // script of an abbreviation, an entry there twice.
    static QString check(const SetWords& words);

private:
    QSqlDatabase db_;
};

} // namespace vexel
