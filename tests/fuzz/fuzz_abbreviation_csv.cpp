// Any bytes as a set's abbreviations: either refused with the reason, or rows
// the set would accept that, written out again, read back the same.
#include "FuzzCheck.h"

#include "sets/AbbreviationCsv.h"
#include "store/WordTable.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto rows = AbbreviationCsv::parse(bytes, QStringLiteral("fuzz.csv"));
    if (!rows) {
        FUZZ_CHECK(rows.error().toStdString().rfind("Cannot read abbreviations: fuzz.csv", 0) == 0);
        return 0;
    }
    SetWords words;
    words.abbreviations = *rows;
    FUZZ_CHECK(WordTable::check(words).isEmpty());
    const auto again = AbbreviationCsv::parse(AbbreviationCsv::text(*rows), QStringLiteral("again.csv"));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(*again == *rows);
    return 0;
}
