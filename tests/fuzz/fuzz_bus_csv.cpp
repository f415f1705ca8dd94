// Any bytes as a bus list: either refused with the reason, or buses the
// list would keep that, written out again, read back the same and whole.
#include "FuzzCheck.h"

#include "fleet/BusCsv.h"
#include "fleet/BusList.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

using namespace vexel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto table = BusCsv::parse(bytes, QStringLiteral("fuzz.csv"));
    if (!table) {
        FUZZ_CHECK(table.error().toStdString().rfind("Cannot read the bus list: fuzz.csv", 0) == 0);
        return 0;
    }
    std::vector<Bus> buses;
    for (const BusCsv::Row& row : table->rows) {
        FUZZ_CHECK(BusList::problem(row.bus).isEmpty());
        FUZZ_CHECK(row.line >= 2);
        buses.push_back(row.bus);
    }
    const auto again = BusCsv::parse(BusCsv::text(buses), QStringLiteral("again.csv"));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again->problems.isEmpty());
    FUZZ_CHECK(again->rows.size() == buses.size());
    for (std::size_t i = 0; i < buses.size(); ++i)
        FUZZ_CHECK(again->rows[i].bus == buses[i]);
    return 0;
}
