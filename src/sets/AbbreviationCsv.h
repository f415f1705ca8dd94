#pragma once

#include "store/SetWords.h"
#include "document/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace vexel {

// A set's abbreviations as a CSV table: a header naming the columns script,
// word and short (in any order), then one abbreviation a row. UTF-8.
class AbbreviationCsv {
public:
    static constexpr qint64 MaxFileBytes = 8LL * 1024 * 1024;
    // The bad rows named in one refusal; the rest are counted.
    static constexpr int MaxProblemsShown = 20;

    // The rows in file order. Any bad row (a script other than ka or en, an
    // empty or too long word, a word given twice) refuses the whole table,
    // each bad row named with its line.
    static Expected<std::vector<SetWords::Abbreviation>> parse(const QByteArray& bytes, const QString& name);
    static Expected<std::vector<SetWords::Abbreviation>> read(const QString& path);

    // The header and a line each, LF ended, a field quoted where it must be.
    static QByteArray text(const std::vector<SetWords::Abbreviation>& abbreviations);
    // Written whole or not at all.
    static Status write(const QString& path, const std::vector<SetWords::Abbreviation>& abbreviations);
};

} // namespace vexel
